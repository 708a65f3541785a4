#include "HostileRoad.h"

#include "LedgerlyCore/Parsing/MarkdownParser.h"

#include "LedgerlyReports/DocumentJson.h"
#include "LedgerlyReports/DocumentTreePrinter.h"
#include "LedgerlyReports/MenuJson.h"
#include "LedgerlyReports/MenuTextPrinter.h"
#include "Support/TempDirectory.h"

#include <gtest/gtest.h>

#include <string>

namespace ledgerly::testing {
namespace {

constexpr std::size_t kDepth = 10000;
constexpr std::size_t kMaximumDepth = MarkdownParser::maximumSubmenuDepth;

// Headings of levels 2 to 10,001, each inside the one before, and one link
// at the bottom: about 50 MB, since a level is written as that many hashes.
std::string nestedHeadings() {
    std::string text;
    text.reserve(kDepth * kDepth / 2 + kDepth * 16 + 64);
    for (std::size_t level = 2; level < kDepth + 2; ++level) {
        text.append(level, '#');
        text += " H" + std::to_string(level) + "\n";
    }
    text += "- [Bottom](https://example.com/bottom)\n";
    return text;
}

// The file is built once: it takes a few seconds to read, parse and build.
const RoadResult& nestedResult() {
    static const RoadResult result = [] {
        const TempDirectory folder;
        return readParseAndBuild(folder.writeFile("nested.md", nestedHeadings()));
    }();
    return result;
}

// A tree 10,000 deep would overflow the stack of every walk over it; the
// parser stops nesting at its maximum depth and keeps the rest as siblings.
TEST(HostileNestedHeadings, HeadingsNestToTheMaximumDepthThenStandSideBySide) {
    const std::vector<MenuNode>* items = &nestedResult().document().items;
    for (std::size_t level = 2; level < kMaximumDepth + 1; ++level) {
        ASSERT_EQ(1U, items->size()) << "level " << level;
        const auto& submenu = std::get<BookmarkSubmenu>(items->front().value);
        ASSERT_EQ("H" + std::to_string(level), submenu.title);
        items = &submenu.items;
    }
    ASSERT_EQ(kDepth - kMaximumDepth + 1, items->size());
    EXPECT_EQ("H" + std::to_string(kMaximumDepth + 1), std::get<BookmarkSubmenu>(items->front().value).title);
    const auto& last = std::get<BookmarkSubmenu>(items->back().value);
    EXPECT_EQ("H" + std::to_string(kDepth + 1), last.title);
    ASSERT_EQ(1U, last.items.size());
    EXPECT_EQ("Bottom", std::get<BookmarkLink>(last.items.front().value).title);
    EXPECT_TRUE(nestedResult().document().warnings.empty());
}

TEST(HostileNestedHeadings, MenuNestsAsDeepWithTheLinkAtTheBottom) {
    const Menu* menu = &nestedResult().menu;
    for (std::size_t level = 2; level < kMaximumDepth + 1; ++level) {
        ASSERT_FALSE(menu->entries.empty());
        ASSERT_NE(nullptr, menu->entries.front().submenu) << "level " << level;
        menu = menu->entries.front().submenu.get();
    }
    ASSERT_EQ(kDepth - kMaximumDepth + 1, menu->entries.size());
    menu = menu->entries.back().submenu.get();
    ASSERT_NE(nullptr, menu);
    ASSERT_EQ(2U, menu->entries.size());
    EXPECT_EQ("Bottom", menu->entries[0].title);
    EXPECT_TRUE(menu->entries[1].isAlternate);
}

TEST(HostileNestedHeadings, DeepTreesCompareCopyAndGoAway) {
    const LedgerlyDocument& document = nestedResult().document();
    LedgerlyDocument copy = document;
    EXPECT_EQ(document, copy);
    auto* bottom = &copy.items;
    while (std::holds_alternative<BookmarkSubmenu>(bottom->back().value)) {
        bottom = &std::get<BookmarkSubmenu>(bottom->back().value).items;
    }
    std::get<BookmarkLink>(bottom->back().value).title = "Changed";
    EXPECT_NE(document, copy);

    const Menu menuCopy = nestedResult().menu;
    EXPECT_EQ(nestedResult().menu, menuCopy);
}

TEST(HostileNestedHeadings, ReportsPrintEveryLevel) {
    const LedgerlyDocument& document = nestedResult().document();
    const std::string tree = reports::documentTree(document);
    EXPECT_NE(std::string::npos, tree.find("- link \"Bottom\""));
    const std::string json = reports::dumpJson(reports::documentToJson(document));
    EXPECT_NE(std::string::npos, json.find("\"H10001\""));
    const std::string menuText = reports::menuText(nestedResult().menu);
    EXPECT_NE(std::string::npos, menuText.find("H10001 >"));
    EXPECT_NE(std::string::npos, menuText.find("Bottom"));
    const std::string menuJson = reports::dumpJson(reports::menuToJson(nestedResult().menu));
    EXPECT_NE(std::string::npos, menuJson.find("\"Bottom\""));
}

}  // namespace
}  // namespace ledgerly::testing
