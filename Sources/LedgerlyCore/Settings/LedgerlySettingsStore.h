#pragma once

#include "LedgerlyCore/Platform/UserDefaults.h"
#include "LedgerlyCore/Settings/KeyboardShortcut.h"

#include <string_view>

namespace ledgerly {

// The global shortcut, whether it is on, and the last launch-at-login outcome,
// kept in the user defaults. Nothing is cached: every read and write goes to
// the defaults, which must outlive the store.
class LedgerlySettingsStore {
public:
    static constexpr std::string_view globalShortcutKeyCodeKey = "globalShortcutKeyCode";
    static constexpr std::string_view globalShortcutModifiersKey = "globalShortcutModifiers";
    static constexpr std::string_view globalShortcutEnabledKey = "globalShortcutEnabled";
    static constexpr std::string_view launchAtLoginRequestedKey = "launchAtLoginRequested";

    explicit LedgerlySettingsStore(UserDefaults& defaults) : defaults_(defaults) {}
    LedgerlySettingsStore(const LedgerlySettingsStore&) = delete;
    LedgerlySettingsStore& operator=(const LedgerlySettingsStore&) = delete;

    // KeyboardShortcut::defaultOpenMenu unless the user chose another.
    KeyboardShortcut globalShortcut() const;
    void setGlobalShortcut(const KeyboardShortcut& shortcut);

    // True unless a boolean false is stored.
    bool isGlobalShortcutEnabled() const;
    void setGlobalShortcutEnabled(bool enabled);

    // False unless a boolean true is stored.
    bool launchAtLoginRequested() const;
    void setLaunchAtLoginRequested(bool requested);

private:
    UserDefaults& defaults_;
};

}  // namespace ledgerly
