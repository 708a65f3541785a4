#include "HostileRoad.h"

#include "LedgerlyCore/Text/UnicodeText.h"
#include "Support/TempDirectory.h"

#include <gtest/gtest.h>

#include <string>

namespace ledgerly::testing {
namespace {

// One submenu of every kind of line, about 2 KB; the URL and the quoted body
// carry most of the bytes, as pasted links and command snippets do.
constexpr std::int64_t kLinesPerBlock = 10;

std::string block(std::size_t n) {
    const std::string number = std::to_string(n);
    std::string text = "## Section " + number + "\n**Label " + number + "**\n";
    text += "- [Link " + number + "](https://example.com/" + number + "/" + std::string(1500, 'p') + ")\n";
    text += "- example.org/" + number + "\n- Snippet " + number + "\n  > first line " + number + "\n";
    text += "  > " + std::string(300, 'q') + "\nnot a bookmark " + number + "\n<!-- note " + number + " -->\n---\n";
    return text;
}

std::string hugeFile(std::size_t bytes, std::size_t& blocks) {
    std::string text;
    text.reserve(bytes + 4096);
    for (blocks = 0; text.size() < bytes; ++blocks) {
        text += block(blocks);
    }
    return text;
}

// About 8 s under AddressSanitizer, 5 s in a plain debug build; its speed is measured in Benchmarks/.
TEST(HostileHugeFile, HundredMegabytesReadParseAndBuildWhole) {
    const TempDirectory folder;
    std::size_t blocks = 0;
    const auto path = folder.writeFile("huge.md", hugeFile(100 << 20, blocks));
    const auto result = readParseAndBuild(path);

    const LedgerlyDocument& document = result.document();
    ASSERT_EQ(blocks, document.items.size());
    const auto& last = std::get<BookmarkSubmenu>(document.items.back().value);
    EXPECT_EQ("Section " + std::to_string(blocks - 1), last.title);
    EXPECT_EQ(5U, last.items.size());
    ASSERT_EQ(blocks, document.warnings.size());
    EXPECT_EQ(static_cast<std::int64_t>(blocks - 1) * kLinesPerBlock + 8, document.warnings.back().line);
    // The content (one submenu entry per block), a separator and the Ledgerly submenu.
    EXPECT_EQ(blocks + 2, result.menu.entries.size());
    EXPECT_EQ("Status: " + std::to_string(blocks) + " warnings", result.statusEntry().title);
}

TEST(HostileLongLine, TenMegabytesOfTextAreOneWarningWithAShortExcerpt) {
    const TempDirectory folder;
    const auto result = readParseAndBuild(folder.writeFile("line.md", std::string(10 << 20, 'x')));
    const LedgerlyDocument& document = result.document();
    EXPECT_TRUE(document.items.empty());
    ASSERT_EQ(1U, document.warnings.size());
    EXPECT_EQ(std::string(97, 'x') + "...", document.warnings[0].sourceExcerpt);
    EXPECT_EQ("Status: 1 warning", result.statusEntry().title);
}

TEST(HostileLongLine, TenMegabyteURLGivesALinkWithShortTitles) {
    const TempDirectory folder;
    const std::string url = "https://example.com/" + std::string(10 << 20, 'u');
    const auto result = readParseAndBuild(folder.writeFile("link.md", "- [Long](" + url + ")"));
    ASSERT_EQ(1U, result.document().items.size());
    EXPECT_EQ(url, std::get<BookmarkLink>(result.document().items[0].value).urlString);
    ASSERT_LE(4U, result.menu.entries.size());
    const MenuEntry& alternate = result.menu.entries[1];
    EXPECT_TRUE(alternate.isAlternate);
    EXPECT_EQ(32U, text::characterCount(alternate.title));
    EXPECT_EQ(url, alternate.representedObject);
}

TEST(HostileLongLine, TenMegabytesOfNonASCIIAreOneSnippetShortenedInTheMenu) {
    std::string line = "- ";
    while (line.size() < (10 << 20)) {
        line += "\u00E9t\u00E9 \u65E5\u672C ";
    }
    line += "end";
    const TempDirectory folder;
    const auto result = readParseAndBuild(folder.writeFile("wide.md", line));
    ASSERT_EQ(1U, result.document().items.size());
    EXPECT_EQ(line.substr(2), std::get<BookmarkSnippet>(result.document().items[0].value).displayTitle());
    EXPECT_EQ(56U, text::characterCount(result.menu.entries[0].title));
    EXPECT_NE(std::string::npos, result.menu.entries[0].title.find("..."));
    EXPECT_TRUE(result.menu.entries[0].title.ends_with("\u65E5\u672C end"));
}

TEST(HostileLongLine, TenMegabytesOfCombiningMarksAreOneCharacter) {
    std::string line = "- a";
    while (line.size() < (10 << 20)) {
        line += "\u0301";
    }
    const TempDirectory folder;
    const auto result = readParseAndBuild(folder.writeFile("marks.md", line));
    ASSERT_EQ(1U, result.document().items.size());
    // One user-perceived character fits any limit, however many bytes it takes.
    EXPECT_EQ(line.substr(2), result.menu.entries[0].title);
}

}  // namespace
}  // namespace ledgerly::testing
