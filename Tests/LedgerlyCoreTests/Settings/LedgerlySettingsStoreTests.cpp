#include "LedgerlyCore/Settings/LedgerlySettingsStore.h"

#include "LedgerlyCore/Platform/InMemoryUserDefaults.h"

#include <gtest/gtest.h>

#include <string_view>

namespace ledgerly::testing {
namespace {

constexpr ModifierFlags controlOptionCommand{0x1C0000};

TEST(LedgerlySettingsStoreDefaults, EmptyDefaultsGiveTheDefaultShortcutEnabledAndNoLoginItem) {
    InMemoryUserDefaults defaults;
    const LedgerlySettingsStore store(defaults);
    EXPECT_EQ(KeyboardShortcut::defaultOpenMenu, store.globalShortcut());
    EXPECT_TRUE(store.isGlobalShortcutEnabled());
    EXPECT_FALSE(store.launchAtLoginRequested());
    EXPECT_TRUE(defaults.values().empty());
}

TEST(LedgerlySettingsStoreGlobalShortcut, EachKeyFallsBackOnItsOwn) {
    InMemoryUserDefaults defaults;
    const LedgerlySettingsStore store(defaults);
    defaults.setInteger("globalShortcutKeyCode", 0);
    EXPECT_EQ(KeyboardShortcut(0, controlOptionCommand), store.globalShortcut());
    defaults.remove("globalShortcutKeyCode");
    defaults.setInteger("globalShortcutModifiers", 0x100000);
    EXPECT_EQ(KeyboardShortcut(1, ModifierFlags::command), store.globalShortcut());
}

TEST(LedgerlySettingsStoreGlobalShortcut, ReadsStoredValuesAndDropsForeignModifierBits) {
    struct Case {
        std::int64_t keyCode;
        std::int64_t modifiers;
        KeyboardShortcut expected;
    };
    const Case cases[] = {
        {40, 0x100000, KeyboardShortcut(40, ModifierFlags::command)},
        {40, 0x100000 | 0x10000, KeyboardShortcut(40, ModifierFlags::command)},  // Caps Lock dropped
        {0, 0, KeyboardShortcut(0, ModifierFlags{})},
        {65535, 0x1E0000, KeyboardShortcut::modifierOnlyHyperKey},
        {49, 0x7FFFFFFFFFFFFFFF, KeyboardShortcut(49, ModifierFlags{0x1E0000})},
    };
    for (const auto& c : cases) {
        InMemoryUserDefaults defaults;
        defaults.setInteger("globalShortcutKeyCode", c.keyCode);
        defaults.setInteger("globalShortcutModifiers", c.modifiers);
        EXPECT_EQ(c.expected, LedgerlySettingsStore(defaults).globalShortcut()) << c.keyCode << " " << c.modifiers;
    }
}

TEST(LedgerlySettingsStoreGlobalShortcut, OutOfRangeValuesFallBackToTheDefaultOfTheirKey) {
    struct Case {
        std::int64_t keyCode;
        std::int64_t modifiers;
        KeyboardShortcut expected;
    };
    const Case cases[] = {
        {65536, 0x100000, KeyboardShortcut(1, ModifierFlags::command)},  // would wrap to key code 0
        {-1, 0x100000, KeyboardShortcut(1, ModifierFlags::command)},     // would wrap to 65535
        {70001, 0x100000, KeyboardShortcut(1, ModifierFlags::command)},
        {40, -1, KeyboardShortcut(40, controlOptionCommand)},  // would read as every bit
        {40, INT64_MIN, KeyboardShortcut(40, controlOptionCommand)},
        {-5, -5, KeyboardShortcut::defaultOpenMenu},
    };
    for (const auto& c : cases) {
        InMemoryUserDefaults defaults;
        defaults.setInteger("globalShortcutKeyCode", c.keyCode);
        defaults.setInteger("globalShortcutModifiers", c.modifiers);
        EXPECT_EQ(c.expected, LedgerlySettingsStore(defaults).globalShortcut()) << c.keyCode << " " << c.modifiers;
    }
}

TEST(LedgerlySettingsStoreGlobalShortcut, StoredValuesOfOtherTypesReadLikeThePlatformsIntegerRead) {
    InMemoryUserDefaults defaults;
    defaults.setString("globalShortcutKeyCode", "12");
    defaults.setBoolean("globalShortcutModifiers", true);
    EXPECT_EQ(KeyboardShortcut(12, ModifierFlags{}), LedgerlySettingsStore(defaults).globalShortcut());
    defaults.setString("globalShortcutKeyCode", "not a number");
    EXPECT_EQ(KeyboardShortcut::defaultOpenMenu.keyCode(), LedgerlySettingsStore(defaults).globalShortcut().keyCode());
}

TEST(LedgerlySettingsStoreGlobalShortcut, ValuesThatReadAsNoIntegerFallBackToTheDefaultOfTheirKey) {
    struct Case {
        std::string_view key;
        std::string_view text;
        KeyboardShortcut expected;
    };
    const Case cases[] = {
        {"globalShortcutKeyCode", "not a number", KeyboardShortcut(1, ModifierFlags::command)},
        {"globalShortcutKeyCode", "", KeyboardShortcut(1, ModifierFlags::command)},
        {"globalShortcutKeyCode", "99999999999999999999999", KeyboardShortcut(1, ModifierFlags::command)},
        {"globalShortcutModifiers", "not a number", KeyboardShortcut(40, controlOptionCommand)},
        {"globalShortcutModifiers", "", KeyboardShortcut(40, controlOptionCommand)},
        {"globalShortcutModifiers", "99999999999999999999999", KeyboardShortcut(40, controlOptionCommand)},
    };
    for (const auto& c : cases) {
        InMemoryUserDefaults defaults;
        // The other key holds a valid value that differs from its default, so each falls back alone.
        defaults.setInteger("globalShortcutKeyCode", 40);
        defaults.setInteger("globalShortcutModifiers", 0x100000);
        defaults.setString(c.key, c.text);
        ASSERT_FALSE(defaults.integer(c.key).has_value()) << c.key << " \"" << c.text << "\"";
        EXPECT_EQ(c.expected, LedgerlySettingsStore(defaults).globalShortcut()) << c.key << " \"" << c.text << "\"";
    }
}

TEST(LedgerlySettingsStoreGlobalShortcut, WritingThenReadingGivesAnEqualShortcut) {
    for (const auto& shortcut : {KeyboardShortcut::defaultOpenMenu, KeyboardShortcut::modifierOnlyHyperKey,
                                 KeyboardShortcut(0, ModifierFlags{}), KeyboardShortcut(126, ModifierFlags::shift)}) {
        InMemoryUserDefaults defaults;
        LedgerlySettingsStore store(defaults);
        store.setGlobalShortcut(shortcut);
        EXPECT_EQ(shortcut, store.globalShortcut());
        EXPECT_EQ(shortcut.keyCode(), defaults.integer("globalShortcutKeyCode"));
        EXPECT_EQ(static_cast<std::int64_t>(shortcut.modifiers().rawValue),
                  defaults.integer("globalShortcutModifiers"));
    }
}

TEST(LedgerlySettingsStoreFlags, NonBooleanValuesReadAsTheDefault) {
    InMemoryUserDefaults defaults;
    const LedgerlySettingsStore store(defaults);
    defaults.setString("globalShortcutEnabled", "false");
    defaults.setInteger("launchAtLoginRequested", 1);
    EXPECT_TRUE(store.isGlobalShortcutEnabled());
    EXPECT_FALSE(store.launchAtLoginRequested());
    defaults.setInteger("globalShortcutEnabled", 0);
    defaults.setString("launchAtLoginRequested", "true");
    EXPECT_TRUE(store.isGlobalShortcutEnabled());
    EXPECT_FALSE(store.launchAtLoginRequested());
}

}  // namespace
}  // namespace ledgerly::testing
