#include "LedgerlyCore/Text/TextView.h"
#include "LedgerlyCore/Text/UnicodeText.h"

#include <gtest/gtest.h>
#include <unicode/brkiter.h>
#include <unicode/utext.h>

#include <memory>
#include <string>
#include <vector>

namespace ledgerly::testing {
namespace {

using namespace ledgerly::text;

// Texts whose clusters join across an ASCII neighbour in every way UAX 29 allows.
const char* const kBoundaryTexts[] = {
    "a\u0301b",                         // Extend after ASCII
    "a\u0903b",                         // SpacingMark after ASCII
    "a\u200Db",                         // ZWJ after ASCII
    "\x7F\u0301",                       // Extend after DEL, a control: breaks
    "\u06001x",                         // Prepend before an ASCII digit
    "\u0600\tx",                        // Prepend before a control: breaks
    "\u0600\x7F",                       // Prepend before DEL: breaks
    "\u0600 x",                         // Prepend before a space: joins
    "x\U0001F44D\U0001F3FDy",           // emoji with a modifier
    "\U0001F468\u200D\U0001F469z",      // ZWJ sequence
    "\U0001F1E9\U0001F1EA\U0001F1EBa",  // regional indicators
    "\u1100\u1161\uAC00a",              // Hangul jamo and syllable
    "e\u0301 \u00A0\u0301 [x]\u0301(y)",
    "\r\n\u0301a\r\u0301",
    "\u65E5\u672C\u8A9E abc",
};

// The boundaries as ICU's character break iterator finds them, walking the whole text.
std::vector<bool> breakIteratorBoundaries(std::string_view text) {
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::BreakIterator> iterator(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    UText utext = UTEXT_INITIALIZER;
    utext_openUTF8(&utext, text.data(), static_cast<int64_t>(text.size()), &status);
    iterator->setText(&utext, status);
    std::vector<bool> boundaries(text.size() + 1, false);
    for (int32_t offset = iterator->first(); offset != icu::BreakIterator::DONE; offset = iterator->next()) {
        boundaries[static_cast<std::size_t>(offset)] = true;
    }
    utext_close(&utext);
    return boundaries;
}

TEST(TextViewBoundaries, AgreeWithTheBreakIteratorEverywhere) {
    for (const char* text : kBoundaryTexts) {
        const std::string_view view(text);
        const std::vector<bool> expected = breakIteratorBoundaries(view);
        for (std::size_t offset = 0; offset <= view.size(); ++offset) {
            EXPECT_EQ(expected[offset], TextView::of(text).isCharacterBoundary(offset)) << text << " at " << offset;
        }
    }
}

TEST(TextViewTrimming, RemovesSpaceTabZsAndLineBreaksOnly) {
    struct Case {
        const char* text;
        const char* trimmed;
        const char* trimmedWhiteSpace;
    };
    const Case cases[] = {
        {" \t\u00A0\u3000a b\u2003 ", "a b", "a b"},
        {" \t ", "", ""},
        {" x\n", "x", "x\n"},
        {"\t\u2028x\u0085", "x", "\u2028x\u0085"},
        {"\u200Bx", "\u200Bx", "\u200Bx"},  // zero-width space is Cf, not Zs
        {"\u0600 x ", "\u0600 x", "\u0600 x"},
        // A space carrying a combining mark is no white space.
        {"  \u0301x", " \u0301x", " \u0301x"},
        {"x \u0301", "x \u0301", "x \u0301"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.trimmed, TextView::of(c.text).trimmed().text) << c.text;
        EXPECT_EQ(c.trimmedWhiteSpace, TextView::of(c.text).trimmedWhiteSpace().text) << c.text;
    }
}

TEST(TextViewWhiteSpace, OnlyACharacterOfOneWhiteSpaceCodePointCounts) {
    EXPECT_FALSE(TextView::of("a \u0301b").containsWhiteSpace());
    EXPECT_TRUE(TextView::of("a \u0301b").containsWhiteSpaceCodePoint());
    EXPECT_TRUE(TextView::of("\u00E9\u2003x").containsWhiteSpace());
    EXPECT_TRUE(TextView::of("a\u00A0b").containsWhiteSpace());
    EXPECT_TRUE(TextView::of("ab\t").containsWhiteSpace());
    EXPECT_FALSE(TextView::of("\u00E9\u00E9").containsWhiteSpace());
    EXPECT_FALSE(TextView::of("a\nb").containsWhiteSpace());  // a line break is not white space
}

TEST(TextViewMatching, MatchesEndOnCharacterBoundaries) {
    EXPECT_TRUE(TextView::of("- item").startsWith("- "));
    EXPECT_FALSE(TextView::of("- \u0301item").startsWith("- "));
    EXPECT_TRUE(TextView::of("**Work**").endsWith("**"));
    EXPECT_FALSE(TextView::of("a\u0301").endsWith("a"));
    EXPECT_FALSE(TextView::of("xe\u0301").endsWith("e"));
    EXPECT_EQ(5u, TextView::of("a]\u0301b]c").find("]"));
    EXPECT_TRUE(TextView::of("\u00E9-->").contains("-->"));
    EXPECT_FALSE(TextView::of("x-->\u0301").contains("-->"));
    EXPECT_TRUE(TextView::of("a -->\u0301 b -->").contains("-->"));
}

}  // namespace
}  // namespace ledgerly::testing
