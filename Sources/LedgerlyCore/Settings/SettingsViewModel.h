#pragma once

#include "LedgerlyCore/Settings/GlobalHotKeyController.h"
#include "LedgerlyCore/Settings/KeyboardShortcut.h"
#include "LedgerlyCore/Settings/LaunchAtLoginServicing.h"
#include "LedgerlyCore/Settings/LedgerlySettingsStore.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace ledgerly {

// The logic behind the settings window: five values the window shows and the
// three commands it sends. Runs without any window. Main thread only.
class SettingsViewModel {
public:
    using Observer = std::function<void()>;
    using ObserverToken = std::uint64_t;

    static constexpr std::string_view launchAtLoginFailureMessage = "Could not update launch at login.";

    // The store and the controller are shared and must outlive the view model.
    SettingsViewModel(LedgerlySettingsStore& settingsStore,
                      std::unique_ptr<LaunchAtLoginServicing> launchAtLoginService,
                      GlobalHotKeyController& hotKeyController);
    SettingsViewModel(const SettingsViewModel&) = delete;
    SettingsViewModel& operator=(const SettingsViewModel&) = delete;

    bool launchAtLoginEnabled() const { return launchAtLoginEnabled_; }
    const std::optional<std::string>& launchAtLoginError() const { return launchAtLoginError_; }
    const KeyboardShortcut& globalShortcut() const { return globalShortcut_; }
    bool globalShortcutEnabled() const { return globalShortcutEnabled_; }
    const std::optional<std::string>& globalShortcutError() const { return globalShortcutError_; }

    // Reloads everything but launchAtLoginError from the services.
    void refresh();
    // Never throws: a refusal or a failed write snaps the value back and sets launchAtLoginError.
    void setLaunchAtLoginEnabled(bool enabled);
    // Never throws: a refusal shows the stored shortcut again and sets globalShortcutError.
    void setShortcut(const KeyboardShortcut& shortcut);
    // Never throws: a failed write shows the stored flag again and sets globalShortcutError.
    void disableShortcut();

    // `observer` runs once after refresh() and after every command, even when
    // no value came out different: a control the user moved must snap back.
    ObserverToken addObserver(Observer observer);
    // Unknown tokens are ignored.
    void removeObserver(ObserverToken token);

private:
    void loadFromServices();
    void notifyObservers();

    LedgerlySettingsStore& settingsStore_;
    std::unique_ptr<LaunchAtLoginServicing> launchAtLoginService_;
    GlobalHotKeyController& hotKeyController_;

    bool launchAtLoginEnabled_ = false;
    std::optional<std::string> launchAtLoginError_;
    KeyboardShortcut globalShortcut_ = KeyboardShortcut::defaultOpenMenu;
    bool globalShortcutEnabled_ = true;
    std::optional<std::string> globalShortcutError_;

    std::map<ObserverToken, Observer> observers_;
    ObserverToken nextObserverToken_ = 1;
};

}  // namespace ledgerly
