#include "LedgerlyCore/Menu/LedgerlyMenuState.h"
#include "LedgerlyCore/Menu/Menu.h"
#include "LedgerlyCore/Menu/MenuActionHandling.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace ledgerly::testing {
namespace {

const MenuAction kAllActions[] = {
    MenuAction::openURLFromMenuItem,
    MenuAction::copyTextFromMenuItem,
    MenuAction::copyWarningFromMenuItem,
    MenuAction::refreshNow,
    MenuAction::chooseMarkdownFile,
    MenuAction::saveStarterFile,
    MenuAction::revealMarkdownFile,
    MenuAction::showAbout,
    MenuAction::openSettings,
    MenuAction::quitApp,
};

// Records which action arrived, by selector, and with which sender title.
class RecordingHandler final : public MenuActionHandling {
public:
    std::vector<std::string> calls;

    void openURLFromMenuItem(const MenuEntry& sender) override { record("openURLFromMenuItem:", sender); }
    void copyTextFromMenuItem(const MenuEntry& sender) override { record("copyTextFromMenuItem:", sender); }
    void copyWarningFromMenuItem(const MenuEntry& sender) override { record("copyWarningFromMenuItem:", sender); }
    void refreshNow(const MenuEntry& sender) override { record("refreshNow:", sender); }
    void chooseMarkdownFile(const MenuEntry& sender) override { record("chooseMarkdownFile:", sender); }
    void saveStarterFile(const MenuEntry& sender) override { record("saveStarterFile:", sender); }
    void revealMarkdownFile(const MenuEntry& sender) override { record("revealMarkdownFile:", sender); }
    void showAbout(const MenuEntry& sender) override { record("showAbout:", sender); }
    void openSettings(const MenuEntry& sender) override { record("openSettings:", sender); }
    void quitApp(const MenuEntry& sender) override { record("quitApp:", sender); }

private:
    void record(const std::string& selector, const MenuEntry& sender) { calls.push_back(selector + sender.title); }
};

TEST(MenuActionSelectors, EachActionHasItsOwnSelector) {
    const std::vector<std::string> expected = {
        "openURLFromMenuItem:",
        "copyTextFromMenuItem:",
        "copyWarningFromMenuItem:",
        "refreshNow:",
        "chooseMarkdownFile:",
        "saveStarterFile:",
        "revealMarkdownFile:",
        "showAbout:",
        "openSettings:",
        "quitApp:",
    };
    std::vector<std::string> actual;
    for (const MenuAction action : kAllActions) {
        actual.emplace_back(selectorName(action));
    }
    EXPECT_EQ(expected, actual);
}

TEST(MenuActionSelectors, PerformReachesTheMatchingHandlerMethodWithTheSender) {
    RecordingHandler handler;
    const MenuEntry sender = MenuEntry::item("x");
    for (const MenuAction action : kAllActions) {
        perform(action, sender, handler);
    }
    ASSERT_EQ(std::size(kAllActions), handler.calls.size());
    for (std::size_t i = 0; i < handler.calls.size(); ++i) {
        EXPECT_EQ(std::string(selectorName(kAllActions[i])) + "x", handler.calls[i]);
    }
}

Menu menuWithOneEntry(const std::string& title) {
    Menu menu;
    menu.entries.push_back(MenuEntry::item(title));
    return menu;
}

TEST(MenuValueEquality, SubmenusCompareByValueNotIdentity) {
    MenuEntry left = MenuEntry::item("Folder");
    MenuEntry right = left;
    left.submenu = std::make_shared<const Menu>(menuWithOneEntry("a"));
    right.submenu = std::make_shared<const Menu>(menuWithOneEntry("a"));
    EXPECT_EQ(left, right);

    right.submenu = std::make_shared<const Menu>(menuWithOneEntry("b"));
    EXPECT_NE(left, right);

    right.submenu.reset();
    EXPECT_NE(left, right);
}

TEST(MenuValueEquality, EveryPropertyTakesPartInEquality) {
    const MenuEntry base = MenuEntry::item("a");
    std::vector<MenuEntry> variants(12, base);
    variants[0].kind = MenuEntryKind::sectionHeader;
    variants[1].title = "b";
    variants[2].font = MenuFont::bold;
    variants[3].subtitle = "s";
    variants[4].action = MenuAction::quitApp;
    variants[5].hasTarget = true;
    variants[6].keyEquivalent = "q";
    variants[7].keyEquivalentModifierMask = MenuEntry::optionModifierMask;
    variants[8].enabled = false;
    variants[9].image = MenuIcon{};
    variants[10].representedObject = "r";
    variants[11].isAlternate = true;
    for (const MenuEntry& variant : variants) {
        EXPECT_NE(base, variant);
    }
}

TEST(MenuValueDefaults, EntriesAndMenusStartWithThePlatformDefaults) {
    const MenuEntry entry = MenuEntry::item("a");
    EXPECT_EQ(0x100000u, entry.keyEquivalentModifierMask);
    EXPECT_TRUE(entry.enabled);
    EXPECT_FALSE(entry.hasTarget);
    EXPECT_EQ(250.0, Menu{}.minimumWidth);
    EXPECT_EQ(MenuEntryKind::separator, MenuEntry::separator().kind);
    EXPECT_EQ(LedgerlyMenuState{LedgerlyMenuState::NoFileSelected{}}, LedgerlyMenuState{});
}

}  // namespace
}  // namespace ledgerly::testing
