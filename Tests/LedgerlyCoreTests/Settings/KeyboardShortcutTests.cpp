#include "LedgerlyCore/Settings/KeyboardShortcut.h"

#include <gtest/gtest.h>

#include <string>

namespace ledgerly::testing {
namespace {

constexpr ModifierFlags none{};
constexpr ModifierFlags shift = ModifierFlags::shift;
constexpr ModifierFlags control = ModifierFlags::control;
constexpr ModifierFlags option = ModifierFlags::option;
constexpr ModifierFlags command = ModifierFlags::command;
constexpr ModifierFlags capsLock{0x10000};

KeyEvent keyDown(std::uint16_t keyCode, ModifierFlags flags, std::optional<std::string> characters = "x") {
    return KeyEvent{KeyEvent::keyDownType, keyCode, flags.rawValue, std::move(characters)};
}

TEST(KeyboardShortcutConstants, HaveTheStoredRawValues) {
    EXPECT_EQ(0x20000u, ModifierFlags::shift.rawValue);
    EXPECT_EQ(0x40000u, ModifierFlags::control.rawValue);
    EXPECT_EQ(0x80000u, ModifierFlags::option.rawValue);
    EXPECT_EQ(0x100000u, ModifierFlags::command.rawValue);
    EXPECT_EQ(0x1E0000u, KeyboardShortcut::allowedModifierMask.rawValue);
    EXPECT_EQ(0x1C0000u, KeyboardShortcut::requiredModifierMask.rawValue);
    EXPECT_EQ(0x1E0000u, KeyboardShortcut::hyperModifiers.rawValue);
    EXPECT_EQ(65535, KeyboardShortcut::modifierOnlyKeyCode);
    EXPECT_EQ(1, KeyboardShortcut::defaultOpenMenu.keyCode());
    EXPECT_EQ(0x1C0000u, KeyboardShortcut::defaultOpenMenu.modifiers().rawValue);
    EXPECT_EQ(KeyboardShortcut(65535, ModifierFlags{0x1E0000}), KeyboardShortcut::modifierOnlyHyperKey);
}

TEST(KeyboardShortcutInit, KeepsOnlyTheFourModifierBits) {
    EXPECT_EQ(KeyboardShortcut(1, command), KeyboardShortcut(1, command | capsLock));
    const KeyboardShortcut everything(7, ModifierFlags{~std::uint64_t{0}});
    EXPECT_EQ(0x1E0000u, everything.modifiers().rawValue);
    EXPECT_EQ(7, everything.keyCode());
    // Numeric pad, Help, Function and device-dependent low bits.
    EXPECT_EQ(0u, KeyboardShortcut(7, ModifierFlags{0x200000 | 0x400000 | 0x800000 | 0xFF}).modifiers().rawValue);
}

TEST(KeyboardShortcutEquality, ComparesKeyCodeAndModifiers) {
    EXPECT_NE(KeyboardShortcut(1, command), KeyboardShortcut(2, command));
    EXPECT_NE(KeyboardShortcut(1, command), KeyboardShortcut(1, option));
}

TEST(KeyboardShortcutValidity, NeedsARealKeyAndControlOptionOrCommand) {
    struct Case {
        std::uint16_t keyCode;
        ModifierFlags modifiers;
        bool valid;
    };
    const Case cases[] = {
        {1, control | option | command, true},
        {1, control, true},
        {1, option, true},
        {1, command, true},
        {1, control | shift, true},
        {1, shift, false},
        {1, none, false},
        {1, capsLock, false},
        {65535, ModifierFlags{0x1E0000}, false},
        {65535, command, false},
        {65534, command, true},
    };
    for (const auto& c : cases) {
        const KeyboardShortcut shortcut(c.keyCode, c.modifiers);
        EXPECT_EQ(c.valid, shortcut.isValidGlobalShortcut()) << c.keyCode << " " << c.modifiers.rawValue;
        EXPECT_EQ(c.keyCode == 65535, shortcut.isModifierOnly()) << c.keyCode;
    }
}

TEST(KeyboardShortcutCarbonModifiers, MapsEachModifierToItsServiceBit) {
    struct Case {
        ModifierFlags modifiers;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {none, 0},
        {command, 0x0100},
        {shift, 0x0200},
        {option, 0x0800},
        {control, 0x1000},
        {control | shift, 0x1200},
        {control | option | command, 0x1900},
        {ModifierFlags{0x1E0000}, 0x1B00},
        {command | capsLock, 0x0100},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, KeyboardShortcut(1, c.modifiers).carbonModifiers()) << c.modifiers.rawValue;
    }
}

TEST(KeyboardShortcutFromEvent, KeyDownWithARequiredModifierGivesTheShortcut) {
    EXPECT_EQ(KeyboardShortcut(1, control | option | command),
              KeyboardShortcut::from(keyDown(1, control | option | command)));
    EXPECT_EQ(KeyboardShortcut(0, control | shift), KeyboardShortcut::from(keyDown(0, control | shift)));
    EXPECT_EQ(KeyboardShortcut(51, command), KeyboardShortcut::from(keyDown(51, command, "")));
    // Caps Lock, Function and device-dependent bits of the event are dropped.
    EXPECT_EQ(KeyboardShortcut(1, command),
              KeyboardShortcut::from(keyDown(1, command | capsLock | ModifierFlags{0x800008})));
}

TEST(KeyboardShortcutFromEvent, GivesNoneForEventsThatCannotBeAGlobalShortcut) {
    struct Case {
        const char* why;
        KeyEvent event;
    };
    const Case cases[] = {
        {"key up", KeyEvent{11, 1, command.rawValue, "s"}},
        {"flags changed", KeyEvent{12, 1, command.rawValue, "s"}},
        {"escape", keyDown(53, command)},
        {"escape without text", keyDown(53, command, std::nullopt)},
        {"shift only", keyDown(1, shift)},
        {"no modifiers", keyDown(1, none)},
        {"caps lock only", keyDown(1, capsLock)},
        {"modifier-only key code", keyDown(65535, command)},
        {"option key without text", keyDown(58, option, "")},
        {"right control without text", keyDown(62, control, std::nullopt)},
        {"command key without text", keyDown(55, command, std::nullopt)},
        {"unnamed key without text", keyDown(122, command, "")},
        {"ISO section key without text", keyDown(10, command, std::nullopt)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(std::nullopt, KeyboardShortcut::from(c.event)) << c.why;
    }
}

TEST(KeyboardShortcutFromEvent, RecordabilityLooksAtTextBeforeTheKeyCode) {
    struct Case {
        std::uint16_t keyCode;
        std::optional<std::string> characters;
        bool recorded;
    };
    const Case cases[] = {
        {49, "", true},  // Space is in the table
        {49, std::nullopt, true},
        {48, std::nullopt, true},     // Tab
        {126, "", true},              // Up Arrow
        {58, "", false},              // Option
        {54, "", false},              // right Command
        {57, "", false},              // Caps Lock
        {58, "a", true},              // text wins over the modifier range
        {122, "", false},             // F1: no table entry
        {122, "\xEF\x9C\x84", true},  // F1 typing its private-use character
        {52, std::nullopt, false},
        {52, "x", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.recorded, KeyboardShortcut::from(keyDown(c.keyCode, command, c.characters)).has_value())
            << c.keyCode << " '" << c.characters.value_or("<none>") << "'";
    }
}

}  // namespace
}  // namespace ledgerly::testing
