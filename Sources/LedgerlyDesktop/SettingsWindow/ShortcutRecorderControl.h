#pragma once

#include "LedgerlyCore/Settings/KeyEvent.h"
#include "LedgerlyCore/Settings/KeyboardShortcut.h"

#include <QWidget>

#include <functional>
#include <string>

class QKeyEvent;
class QMouseEvent;

namespace ledgerly {

// The field that shows the global shortcut and records a new one. A click
// starts recording; while it records, a filter on the whole application sees
// every key press of its window first and swallows it, so that nothing else
// in the window acts on the keys being recorded. It reports through three
// callbacks and never changes its shortcut itself: the owner sets it.
class ShortcutRecorderControl final : public QWidget {
    Q_OBJECT

public:
    using ShortcutCallback = std::function<void(const KeyboardShortcut&)>;
    using DisableCallback = std::function<void()>;
    using InvalidShortcutCallback = std::function<void(const std::string&)>;

    static constexpr qreal cornerRadius = 6;
    static constexpr qreal horizontalPadding = 9;
    static constexpr qreal clearButtonSize = 14;
    static constexpr qreal clearButtonTrailingPadding = 7;
    // The smallest field. It grows with its shortcut, whose Linux names are
    // wide ("Ctrl+Alt+Super+S"), up to maximumFieldWidth; beyond, the title is
    // cut and the tooltip gives it whole.
    static constexpr QSize intrinsicContentSize{150, 28};
    static constexpr int maximumFieldWidth = 260;
    static constexpr const char* invalidShortcutMessage = "Use Ctrl, Alt, or Super.";

    explicit ShortcutRecorderControl(QWidget* parent = nullptr);
    ~ShortcutRecorderControl() override;

    const KeyboardShortcut& shortcut() const { return shortcut_; }
    void setShortcut(const KeyboardShortcut& shortcut);
    bool isShortcutEnabled() const { return isShortcutEnabled_; }
    void setShortcutEnabled(bool enabled);
    void setOnShortcut(ShortcutCallback callback) { onShortcut_ = std::move(callback); }
    void setOnDisable(DisableCallback callback) { onDisable_ = std::move(callback); }
    void setOnInvalidShortcut(InvalidShortcutCallback callback) { onInvalidShortcut_ = std::move(callback); }

    bool isListeningForShortcut() const { return isListeningForShortcut_; }
    bool showsRecordingPrompt() const { return showsRecordingPrompt_; }
    // What the field shows: "Press keys", the shortcut ("Ctrl+Alt+Super+S") or "Record shortcut".
    QString title() const;
    QColor titleColor() const;
    bool showsClearButton() const;
    // The title as drawn, cut at the tail to fit titleRect().
    QString displayedTitle() const;

    QRectF fieldRect() const;
    QRectF clearButtonRect() const;
    QRectF titleRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void clearShortcutAndRecord();
    bool handleRecordingEvent(const KeyEvent& event);
    bool observeKeyEvent(QObject* receiver, QKeyEvent* event);
    void observeMouseEvent(QObject* receiver, QMouseEvent* event);
    void installEventMonitors();
    void removeEventMonitors();
    void stopRecording();
    void giveUpFocus();
    void drawFocusRing(QPainter& painter) const;
    void drawTitle(QPainter& painter) const;
    void drawClearButtonIfNeeded(QPainter& painter) const;
    void updateToolTip();

    KeyboardShortcut shortcut_ = KeyboardShortcut::defaultOpenMenu;
    bool isShortcutEnabled_ = true;
    ShortcutCallback onShortcut_;
    DisableCallback onDisable_;
    InvalidShortcutCallback onInvalidShortcut_;
    bool isListeningForShortcut_ = false;
    bool showsRecordingPrompt_ = false;
    // One application-wide filter stands for both the key and the mouse monitor.
    bool monitorsInstalled_ = false;
};

}  // namespace ledgerly
