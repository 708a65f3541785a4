#include "LedgerlyCore/Menu/TitleShortening.h"

#include "LedgerlyCore/Text/UnicodeText.h"

#include "MenuTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace ledgerly::testing {
namespace {

const std::string kCombiningE = "e\u0301";
const std::string kFlag = "\U0001F1E9\U0001F1EA";
const std::string kThumbsUpDark = "\U0001F44D\U0001F3FF";
const std::string kFamily = "\U0001F468\u200D\U0001F469\u200D\U0001F467";

std::string repeated(const std::string& piece, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

TEST(MakeDisplayTitle, ShortensInTheMiddleWithTheLargerHalfInFront) {
    struct Case {
        std::string text;
        std::int64_t limit;
        std::string expected;
    };
    const Case cases[] = {
        {"abcdefghij", 10, "abcdefghij"},
        {"abcdefghij", 11, "abcdefghij"},
        {"abcdefghij", 9, "abc...hij"},
        {"abcdefghij", 8, "abc...ij"},
        {"abcdefghij", 7, "ab...ij"},
        {"abcdefghij", 4, "a..."},
        {"abcdefghij", 3, "abc"},
        {"abcdefghij", 1, "a"},
        {"abcdefghij", 0, ""},
        {"abcdefghij", -5, ""},
        {"", 0, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, makeDisplayTitle(c.text, c.limit)) << c.text << " at " << c.limit;
    }
}

TEST(MakeDisplayTitle, SixtyCharactersAtTheTopLevelKeepTwentySevenAndTwentySix) {
    const std::string title = letters(60);
    const std::string shortened = makeDisplayTitle(title, 56);
    EXPECT_EQ(title.substr(0, 27) + "..." + title.substr(34), shortened);
    EXPECT_EQ(56u, text::characterCount(shortened));
}

TEST(MakeDisplayTitle, CountsAndCutsWholeGraphemeClusters) {
    struct Case {
        std::string piece;
        const char* name;
    };
    const Case cases[] = {{kCombiningE, "combining mark"},
                          {kFlag, "flag"},
                          {kThumbsUpDark, "emoji with modifier"},
                          {kFamily, "joined emoji"}};
    for (const auto& c : cases) {
        const std::string atLimit = repeated(c.piece, 7);
        EXPECT_EQ(atLimit, makeDisplayTitle(atLimit, 7)) << c.name;
        const std::string overLimit = repeated(c.piece, 8);
        EXPECT_EQ(repeated(c.piece, 2) + "..." + repeated(c.piece, 2), makeDisplayTitle(overLimit, 7)) << c.name;
        EXPECT_EQ(repeated(c.piece, 3), makeDisplayTitle(overLimit, 3)) << c.name;
    }
}

TEST(TruncatePath, ExamplesWithFortyFour) {
    EXPECT_EQ("~/Links.md", truncatePath("~/Links.md", 44));

    const std::string exact = "/" + letters(43);
    EXPECT_EQ(exact, truncatePath(exact, 44));

    const std::string folders = "/" + letters(44);  // 45 characters, name of 44
    EXPECT_EQ("..." + letters(44).substr(3), truncatePath(folders, 44));

    const std::string path58 = "~/" + letters(43) + "/bookmarks.md";
    ASSERT_EQ(58u, path58.size());
    EXPECT_EQ(path58.substr(0, 28) + "..." + "/bookmarks.md", truncatePath(path58, 44));

    const std::string name60 = letters(60);
    EXPECT_EQ("..." + name60.substr(19), truncatePath("/Users/me/" + name60, 44));
}

TEST(TruncatePath, ResultHasExactlyTheLimitWhenTheNameIsShort) {
    for (std::int64_t limit = 4; limit < 40; ++limit) {
        const std::string path = "/very/long/folder/chain/that/goes/on/and/on/n.md";
        const std::string shortened = truncatePath(path, limit);
        EXPECT_EQ(static_cast<std::size_t>(limit), text::characterCount(shortened)) << limit;
    }
}

TEST(TruncatePath, PathWithoutSlashKeepsItsLastCharacters) {
    EXPECT_EQ("..." + letters(50).substr(9), truncatePath(letters(50), 44));
}

TEST(TruncatePath, TrailingSlashesAreIgnoredForTheName) {
    const std::string path = "/" + letters(50) + "/short//";
    EXPECT_EQ(path.substr(0, 35) + ".../short", truncatePath(path, 44));
}

TEST(TruncatePath, TinyLimitsKeepTheFirstCharacters) {
    EXPECT_EQ("/ab", truncatePath("/abcdef", 3));
    EXPECT_EQ("", truncatePath("/abcdef", 0));
}

TEST(TruncatePath, CutsWholeGraphemeClusters) {
    const std::string name = repeated(kFlag, 50);
    EXPECT_EQ("..." + repeated(kFlag, 41), truncatePath("/x/" + name, 44));
    const std::string folder = repeated(kThumbsUpDark, 50);
    EXPECT_EQ("/" + repeated(kThumbsUpDark, 33) + ".../" + kCombiningE + "x",
              truncatePath("/" + folder + "/" + kCombiningE + "x", 40));
}

TEST(LastPathComponent, TakesTheTextAfterTheLastSlash) {
    struct Case {
        std::string path;
        std::string expected;
    };
    const Case cases[] = {
        {"/a/b/c.md", "c.md"}, {"c.md", "c.md"}, {"/a/b/", "b"}, {"/a/b///", "b"}, {"/", "/"}, {"///", "/"}, {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, lastPathComponent(c.path)) << c.path;
    }
}

TEST(AbbreviatingWithTilde, OnlyWholeLeadingComponentsOfTheHomeFolder) {
    struct Case {
        std::string path;
        std::string home;
        std::string expected;
    };
    const Case cases[] = {
        {"/home/ann/Links.md", "/home/ann", "~/Links.md"},
        {"/home/ann/Links.md", "/home/ann/", "~/Links.md"},
        {"/home/ann/Links.md", "/home/ann//", "~/Links.md"},
        {"/home/ann", "/home/ann", "~"},
        {"/home/ann2/x", "/home/ann", "/home/ann2/x"},
        {"/home/an", "/home/ann", "/home/an"},
        {"/srv/home/ann/x", "/home/ann", "/srv/home/ann/x"},
        {"/home/ann/x", "", "/home/ann/x"},
        {"/home/ann/x", "/", "/home/ann/x"},
        {"/x", "//", "/x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, abbreviatingWithTildeInPath(c.path, c.home)) << c.path << " with home " << c.home;
    }
}

}  // namespace
}  // namespace ledgerly::testing
