#include "LedgerlyCore/Platform/InMemoryUserDefaults.h"
#include "LedgerlyCore/Settings/LedgerlySettingsStore.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

namespace ledgerly::testing {
namespace {

using Store = LedgerlySettingsStore;

// Stored values that no version of Ledgerly wrote: a hand-edited or damaged settings file.
TEST(HostileSettings, BooleansOfTheWrongTypeReadAsTheDefaults) {
    InMemoryUserDefaults defaults;
    defaults.setString(Store::globalShortcutEnabledKey, "false");
    defaults.setInteger(Store::launchAtLoginRequestedKey, 1);
    const Store store(defaults);
    EXPECT_TRUE(store.isGlobalShortcutEnabled());
    EXPECT_FALSE(store.launchAtLoginRequested());
}

TEST(HostileSettings, IntegersOutOfRangeReadAsTheDefaultShortcut) {
    for (const std::int64_t keyCode : {std::int64_t{-1}, std::int64_t{65536}, std::numeric_limits<std::int64_t>::min(),
                                       std::numeric_limits<std::int64_t>::max()}) {
        InMemoryUserDefaults defaults;
        defaults.setInteger(Store::globalShortcutKeyCodeKey, keyCode);
        defaults.setInteger(Store::globalShortcutModifiersKey, std::numeric_limits<std::int64_t>::min());
        EXPECT_EQ(KeyboardShortcut::defaultOpenMenu, Store(defaults).globalShortcut()) << keyCode;
    }
}

// Text that is no number (or no number that fits) gives the default shortcut,
// not key A without modifiers.
TEST(HostileSettings, TextUnderTheIntegerKeysReadsAsTheDefaultShortcut) {
    for (const std::string text : {"S", "\xFF\xFE garbage", "99999999999999999999999", " 1", ""}) {
        InMemoryUserDefaults defaults;
        defaults.setString(Store::globalShortcutKeyCodeKey, text);
        defaults.setString(Store::globalShortcutModifiersKey, text);
        const KeyboardShortcut shortcut = Store(defaults).globalShortcut();
        EXPECT_EQ(KeyboardShortcut::defaultOpenMenu, shortcut) << text;
        EXPECT_TRUE(shortcut.isValidGlobalShortcut());
    }
}

TEST(HostileSettings, StoredModifierBitsOutsideTheFourAreDropped) {
    InMemoryUserDefaults defaults;
    defaults.setInteger(Store::globalShortcutModifiersKey, std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(KeyboardShortcut::hyperModifiers, Store(defaults).globalShortcut().modifiers());
}

// Defaults whose writes fail, as a settings file on a read-only disk would.
class UnwritableDefaults final : public UserDefaults {
public:
    bool hasValue(std::string_view) const override { return false; }
    std::optional<std::string> string(std::string_view) const override { return std::nullopt; }
    std::optional<std::int64_t> integer(std::string_view) const override { return std::nullopt; }
    std::optional<bool> boolean(std::string_view) const override { return std::nullopt; }
    void setString(std::string_view, std::string_view) override { fail(); }
    void setInteger(std::string_view, std::int64_t) override { fail(); }
    void setBoolean(std::string_view, bool) override { fail(); }
    void remove(std::string_view) override { fail(); }

private:
    static void fail() { throw std::runtime_error("read-only settings"); }
};

TEST(HostileSettings, FailedWritesReachTheCallerAndReadsKeepTheDefaults) {
    UnwritableDefaults defaults;
    Store store(defaults);
    EXPECT_THROW(store.setGlobalShortcut(KeyboardShortcut(0, ModifierFlags::command)), std::runtime_error);
    EXPECT_THROW(store.setGlobalShortcutEnabled(false), std::runtime_error);
    EXPECT_THROW(store.setLaunchAtLoginRequested(true), std::runtime_error);
    EXPECT_EQ(KeyboardShortcut::defaultOpenMenu, store.globalShortcut());
    EXPECT_TRUE(store.isGlobalShortcutEnabled());
    EXPECT_FALSE(store.launchAtLoginRequested());
}

}  // namespace
}  // namespace ledgerly::testing
