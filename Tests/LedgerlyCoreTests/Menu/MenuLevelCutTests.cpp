#include "LedgerlyCore/Menu/MenuLevelCut.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace ledgerly::testing {
namespace {

// `count` links, each a primary entry and its alternate.
Menu linkPairs(std::size_t count) {
    Menu menu;
    for (std::size_t i = 0; i < count; ++i) {
        menu.entries.push_back(MenuEntry::item("Link " + std::to_string(i)));
        MenuEntry alternate = MenuEntry::item("https://example.com/" + std::to_string(i));
        alternate.isAlternate = true;
        menu.entries.push_back(alternate);
    }
    return menu;
}

TEST(MenuLevelCut, ALevelThatFitsIsDrawnWhole) {
    EXPECT_EQ((MenuLevelCut{8, std::nullopt}), cutMenuLevel(linkPairs(4), MenuLevelKind::submenu, 8));
    EXPECT_EQ((MenuLevelCut{0, std::nullopt}), cutMenuLevel(Menu{}, MenuLevelKind::submenu, 8));
}

TEST(MenuLevelCut, ALongerLevelShowsItsFirstPartAndCountsWhatIsLeftOut) {
    EXPECT_EQ((MenuLevelCut{6, "2 more entries not shown: ledgerly-check --menu lists them all"}),
              cutMenuLevel(linkPairs(5), MenuLevelKind::submenu, 6));
    EXPECT_EQ((MenuLevelCut{2, "1,233 more entries not shown: ledgerly-check --menu lists them all"}),
              cutMenuLevel(linkPairs(1234), MenuLevelKind::submenu, 2));
}

TEST(MenuLevelCut, AnEntryKeepsItsAlternate) {
    EXPECT_EQ((MenuLevelCut{6, "1 more entry not shown: ledgerly-check --menu lists them all"}),
              cutMenuLevel(linkPairs(4), MenuLevelKind::submenu, 5));
}

TEST(MenuLevelCut, TheTopLevelKeepsItsSeparatorAndLedgerly) {
    Menu menu = linkPairs(5);
    menu.entries.push_back(MenuEntry::separator());
    menu.entries.push_back(MenuEntry::item("Ledgerly"));
    EXPECT_EQ((MenuLevelCut{4, "3 more entries not shown: ledgerly-check --menu lists them all", 2}),
              cutMenuLevel(menu, MenuLevelKind::top, 6));
    EXPECT_EQ((MenuLevelCut{12, std::nullopt, 0}), cutMenuLevel(menu, MenuLevelKind::top, 12));
}

TEST(MenuLevelCut, SeparatorsAloneLeftOutNeedNoNote) {
    Menu menu = linkPairs(2);
    menu.entries.push_back(MenuEntry::separator());
    menu.entries.push_back(MenuEntry::separator());
    EXPECT_EQ((MenuLevelCut{4, std::nullopt}), cutMenuLevel(menu, MenuLevelKind::submenu, 4));
}

}  // namespace
}  // namespace ledgerly::testing
