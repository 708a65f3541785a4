#include "LedgerlyCore/Settings/LedgerlySettingsStore.h"

#include <cstdint>
#include <limits>

namespace ledgerly {
namespace {

// An integer setting with its default and the range a stored value must lie in.
struct IntegerKey {
    std::string_view name;
    std::int64_t fallback;
    std::int64_t minimum;
    std::int64_t maximum;

    std::int64_t read(const UserDefaults& defaults) const {
        if (!defaults.hasValue(name)) {
            return fallback;
        }
        // Like the platform's integer read: something stored that is not a number reads as 0.
        const std::int64_t value = defaults.integer(name).value_or(0);
        // A value out of range cannot have been written by us; the default is safer than a clamp.
        return value < minimum || value > maximum ? fallback : value;
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
