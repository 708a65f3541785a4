// The shortcut recorder's key events and the settings store's stored values,
// both arbitrary: a produced shortcut is always valid and holds only the four
// modifier bits, and a read of the settings never throws.
#include "FuzzSupport.h"

#include "LedgerlyCore/Platform/InMemoryUserDefaults.h"
#include "LedgerlyCore/Settings/KeyboardShortcut.h"
#include "LedgerlyCore/Settings/LedgerlySettingsStore.h"

#include <cstdint>
#include <optional>
#include <string>

namespace ledgerly::fuzz {
namespace {

constexpr std::uint64_t kAllowedBits = 0x1E0000;
constexpr std::uint64_t kRequiredBits = 0x1C0000;

void checkShortcut(const KeyboardShortcut& shortcut) {
    check((shortcut.modifiers().rawValue & ~kAllowedBits) == 0, "a shortcut holds only the four modifier bits");
    check((shortcut.carbonModifiers() & ~0x1B00U) == 0, "the hot-key mask holds only its four bits");
}

KeyEvent readEvent(InputReader& reader) {
    KeyEvent event;
    // Mostly key-down events, so that the rest of the rule is reached.
    const std::uint8_t type = reader.byte();
    event.type = type < 192 ? KeyEvent::keyDownType : type;
    event.keyCode = reader.integer<std::uint16_t>();
    event.modifierFlags = reader.integer<std::uint64_t>();
    if (reader.byte() % 2 == 0) {
        event.charactersIgnoringModifiers = reader.text(8);
    }
    return event;
}

void checkEvent(const KeyEvent& event) {
    const auto shortcut = KeyboardShortcut::from(event);
    const bool recordable = event.type == KeyEvent::keyDownType && event.keyCode != 53 && event.keyCode != 65535 &&
                            (event.modifierFlags & kRequiredBits) != 0 &&
                            !event.charactersIgnoringModifiers.value_or("").empty();
    if (recordable) {
        check(shortcut.has_value(), "a key-down with text, a key and Control, Option or Command records");
    }
    if (!shortcut) {
        return;
    }
    checkShortcut(*shortcut);
    check(shortcut->isValidGlobalShortcut(), "a recorded shortcut is valid");
    check(shortcut->keyCode() == event.keyCode, "a recorded shortcut keeps the key code");
    check(shortcut->modifiers().rawValue == (event.modifierFlags & kAllowedBits), "it keeps the four modifier bits");
}

// One of the four keys: absent, or a string, an integer or a boolean.
void storeValue(InputReader& reader, InMemoryUserDefaults& defaults, std::string_view key) {
    switch (reader.byte() % 4) {
    case 0:
        break;
    case 1:
        defaults.setString(key, reader.text(24));
        break;
    case 2:
        defaults.setInteger(key, reader.integer<std::int64_t>());
        break;
    default:
        defaults.setBoolean(key, reader.byte() % 2 == 1);
        break;
    }
}

void checkSettings(const InMemoryUserDefaults& defaults, LedgerlySettingsStore& store) {
    KeyboardShortcut shortcut = KeyboardShortcut::defaultOpenMenu;
    bool enabled = false;
    bool launch = false;
    try {
        shortcut = store.globalShortcut();
        enabled = store.isGlobalShortcutEnabled();
        launch = store.launchAtLoginRequested();
    } catch (...) {
        check(false, "reading the settings never throws");
    }
    checkShortcut(shortcut);
    if (!defaults.hasValue(LedgerlySettingsStore::globalShortcutKeyCodeKey)) {
        check(shortcut.keyCode() == 1, "no stored key code reads as S");
    }
    if (!defaults.hasValue(LedgerlySettingsStore::globalShortcutModifiersKey)) {
        check(shortcut.modifiers().rawValue == kRequiredBits, "no stored modifiers read as Control, Option, Command");
    }
    check(enabled == defaults.boolean(LedgerlySettingsStore::globalShortcutEnabledKey).value_or(true),
          "enabled unless a boolean false is stored");
    check(launch == defaults.boolean(LedgerlySettingsStore::launchAtLoginRequestedKey).value_or(false),
          "launch at login only when a boolean true is stored");
    store.setGlobalShortcut(shortcut);
    check(store.globalShortcut() == shortcut, "a shortcut read and written back reads the same");
}

}  // namespace
}  // namespace ledgerly::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ledgerly;
    fuzz::InputReader reader(data, size);
    fuzz::checkEvent(fuzz::readEvent(reader));

    InMemoryUserDefaults defaults;
    for (const std::string_view key :
         {LedgerlySettingsStore::globalShortcutKeyCodeKey, LedgerlySettingsStore::globalShortcutModifiersKey,
          LedgerlySettingsStore::globalShortcutEnabledKey, LedgerlySettingsStore::launchAtLoginRequestedKey}) {
        fuzz::storeValue(reader, defaults, key);
    }
    LedgerlySettingsStore store(defaults);
    fuzz::checkSettings(defaults, store);
    return 0;
}
