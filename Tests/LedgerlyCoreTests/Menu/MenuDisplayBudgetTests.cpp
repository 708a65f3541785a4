#include "LedgerlyCore/Menu/MenuDisplayBudget.h"

#include "MenuTestSupport.h"

#include <gtest/gtest.h>

namespace ledgerly::testing {
namespace {

TEST(MenuDisplayBudgetAlternateLimit, FollowsTheWidestShortenedTitle) {
    struct Case {
        std::size_t widestTitle;
        std::int64_t limit;
        std::int64_t expectedAlternate;
    };
    const Case cases[] = {
        {20, 56, 32}, {45, 56, 45}, {80, 56, 56}, {60, 70, 60}, {100, 70, 70},
        {10, 56, 32}, {32, 56, 32}, {33, 56, 33}, {40, 20, 20},
    };
    for (const auto& c : cases) {
        const std::vector<MenuNode> nodes = {linkNode("x", "https://x"), linkNode(letters(c.widestTitle), "https://y")};
        EXPECT_EQ((MenuDisplayBudget{c.limit, c.expectedAlternate}), makeDisplayBudget(nodes, c.limit))
            << c.widestTitle << " at " << c.limit;
    }
}

TEST(MenuDisplayBudgetAlternateLimit, EveryTitledKindCountsAndDividersDoNot) {
    const std::vector<std::vector<MenuNode>> levels = {
        {linkNode(letters(40), "https://x")},
        {inlineSnippetNode(letters(40))},
        {labeledSnippetNode(letters(40), "short")},
        {submenuNode(letters(40), {})},
        {sectionLabelNode(letters(40))},
    };
    for (const auto& level : levels) {
        EXPECT_EQ(40, makeDisplayBudget(level, 56).alternateTitleMaximumCharacters);
    }
}

TEST(MenuDisplayBudgetAlternateLimit, AlternateTextsAndNestedTitlesAreNotLookedAt) {
    const std::vector<MenuNode> level = {
        linkNode("short", "https://" + letters(60)),
        labeledSnippetNode("label", letters(60)),
        submenuNode("folder", {linkNode(letters(60), "https://x")}),
    };
    EXPECT_EQ(32, makeDisplayBudget(level, 56).alternateTitleMaximumCharacters);
}

TEST(MenuDisplayBudgetAlternateLimit, EmptyOrDividerOnlyLevelsGetTheMinimumWithinTheLimit) {
    EXPECT_EQ((MenuDisplayBudget{56, 32}), makeDisplayBudget({}, 56));
    EXPECT_EQ((MenuDisplayBudget{70, 32}), makeDisplayBudget({dividerNode(), dividerNode()}, 70));
    EXPECT_EQ((MenuDisplayBudget{20, 20}), makeDisplayBudget({dividerNode()}, 20));
}

TEST(MenuDisplayBudgetAlternateLimit, CountsGraphemeClustersNotBytes) {
    std::string flags;
    for (int i = 0; i < 40; ++i) {
        flags += "\U0001F1E9\U0001F1EA";
    }
    EXPECT_EQ(40, makeDisplayBudget({linkNode(flags, "https://x")}, 56).alternateTitleMaximumCharacters);
}

TEST(MenuDisplayBudgetAlternateLimit, NotesTheLengthOfTheShortenedTitleAsItComesOut) {
    // After a line break a combining mark stands alone; cut right before it,
    // it joins the last full stop of the ellipsis, so the title is one shorter.
    const std::string title = letters(40) + "\n\u0301" + letters(25);
    EXPECT_EQ(55, makeDisplayBudget({inlineSnippetNode(title)}, 56).alternateTitleMaximumCharacters);
}

}  // namespace
}  // namespace ledgerly::testing
