#pragma once

#include <QSize>
#include <QWidget>

class QKeyEvent;

namespace ledgerly {

// The settings window: titled and closable, 500 pixels wide, between 236 and
// 300 high. Closing only hides it. Ctrl+W closes it, as Command-W does
// elsewhere; every other key press that reaches it is counted and dropped
// without a sound.
class SettingsWindow final : public QWidget {
    Q_OBJECT

public:
    static constexpr QSize contentSize{500, 236};
    static constexpr QSize minimumContentSize{500, 236};
    static constexpr QSize maximumContentSize{500, 300};

    // Hosts `content`, which the window takes.
    explicit SettingsWindow(QWidget* content);

    // Key presses that reached the window without anything handling them.
    int unhandledKeyDownCountForTesting() const { return unhandledKeyDownCount_; }
    // Gives the content `contentHeight` and the window as much of it as its bounds allow.
    void fitContentHeight(int contentHeight);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    static bool isCloseKey(const QKeyEvent& event);
    void centreOnScreen();

    QWidget* content_;
    int unhandledKeyDownCount_ = 0;
};

}  // namespace ledgerly
