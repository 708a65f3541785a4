#include "LedgerlyCore/Settings/LedgerlySettingsStore.h"

#include <cstdint>
#include <limits>
#include <optional>

namespace ledgerly {
namespace {

// An integer setting with its default and the range a stored value must lie in.
struct IntegerKey {
    std::string_view name;
    std::int64_t fallback;
    std::int64_t minimum;
    std::int64_t maximum;

    std::int64_t read(const UserDefaults& defaults) const {
        // Something stored that is not a number, like one out of range, cannot have been
        // written by us: a damaged file gives the default, not a clamp or key A without modifiers.
        const std::optional<std::int64_t> value = defaults.integer(name);
        if (!value || *value < minimum || *value > maximum) {
            return fallback;
        }
        return *value;
    }
};

constexpr IntegerKey keyCodeKey{LedgerlySettingsStore::globalShortcutKeyCodeKey,
                                KeyboardShortcut::defaultOpenMenu.keyCode(), 0, 65535};
constexpr IntegerKey modifiersKey{LedgerlySettingsStore::globalShortcutModifiersKey,
                                  static_cast<std::int64_t>(KeyboardShortcut::defaultOpenMenu.modifiers().rawValue), 0,
                                  std::numeric_limits<std::int64_t>::max()};

}  // namespace

KeyboardShortcut LedgerlySettingsStore::globalShortcut() const {
    const auto keyCode = static_cast<std::uint16_t>(keyCodeKey.read(defaults_));
    const auto modifiers = static_cast<std::uint64_t>(modifiersKey.read(defaults_));
    return KeyboardShortcut(keyCode, ModifierFlags{modifiers});
}

void LedgerlySettingsStore::setGlobalShortcut(const KeyboardShortcut& shortcut) {
    defaults_.setInteger(globalShortcutKeyCodeKey, shortcut.keyCode());
    defaults_.setInteger(globalShortcutModifiersKey, static_cast<std::int64_t>(shortcut.modifiers().rawValue));
}

bool LedgerlySettingsStore::isGlobalShortcutEnabled() const {
    return defaults_.boolean(globalShortcutEnabledKey).value_or(true);
}

void LedgerlySettingsStore::setGlobalShortcutEnabled(bool enabled) {
    defaults_.setBoolean(globalShortcutEnabledKey, enabled);
}

bool LedgerlySettingsStore::launchAtLoginRequested() const {
    return defaults_.boolean(launchAtLoginRequestedKey).value_or(false);
}

void LedgerlySettingsStore::setLaunchAtLoginRequested(bool requested) {
    defaults_.setBoolean(launchAtLoginRequestedKey, requested);
}

}  // namespace ledgerly
