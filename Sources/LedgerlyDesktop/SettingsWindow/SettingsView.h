#pragma once

#include "LedgerlyCore/Settings/SettingsViewModel.h"

#include <QWidget>

#include <optional>
#include <string>

class QLabel;

namespace ledgerly {

class SettingsErrorView;
class ShortcutRecorderControl;
class SwitchControl;

// The settings window's content: "Startup" with the launch-at-login switch
// and "Keyboard" with the shortcut recorder, each card followed by its
// messages. Redraws from the view model whenever it announces a change and
// sends the user's changes to it; it never changes a value itself.
class SettingsView final : public QWidget {
    Q_OBJECT

public:
    static constexpr int contentWidth = 500;
    static constexpr int horizontalPadding = 24;
    static constexpr int verticalPadding = 22;
    static constexpr int labelToCardGap = 8;
    static constexpr int messageGap = 8;
    static constexpr int sectionGap = 36;

    // The view model must outlive the view.
    explicit SettingsView(SettingsViewModel& viewModel, QWidget* parent = nullptr);
    ~SettingsView() override;

    // The recorder's last message; cleared only by the recorder's callbacks.
    const std::optional<std::string>& recorderMessage() const { return recorderMessage_; }

    SwitchControl& launchAtLoginSwitch() const { return *launchAtLoginSwitch_; }
    ShortcutRecorderControl& recorder() const { return *recorder_; }
    SettingsErrorView& launchAtLoginErrorView() const { return *launchAtLoginError_; }
    SettingsErrorView& recorderMessageView() const { return *recorderMessageView_; }
    SettingsErrorView& shortcutErrorView() const { return *shortcutError_; }

signals:
    // A message appeared or went away, so the content's height changed.
    void contentChanged();

private:
    QWidget* makeStartupCard();
    QWidget* makeKeyboardCard();
    SettingsErrorView* addMessage(QWidget* container);
    void bindRecorder();
    void showFromViewModel();
    void setRecorderMessage(std::optional<std::string> message);
    static void showMessage(SettingsErrorView& view, const std::optional<std::string>& message);

    SettingsViewModel& viewModel_;
    std::optional<std::string> recorderMessage_;
    SwitchControl* launchAtLoginSwitch_ = nullptr;
    ShortcutRecorderControl* recorder_ = nullptr;
    SettingsErrorView* launchAtLoginError_ = nullptr;
    SettingsErrorView* recorderMessageView_ = nullptr;
    SettingsErrorView* shortcutError_ = nullptr;
    SettingsViewModel::ObserverToken observerToken_ = 0;
};

}  // namespace ledgerly
