#include "LedgerlyCore/Parsing/LineSplitter.h"
#include "LedgerlyCore/Text/TextView.h"
#include "LedgerlyCore/Text/UnicodeText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ledgerly {
namespace {

using parsing::Line;
using parsing::LineSplitter;
using parsing::LineText;

// Texts whose clusters join across an ASCII neighbour in every way UAX 29 allows.
const char* const kBoundaryTexts[] = {
    "a\u0301b",                         // Extend after ASCII
    "a\u0903b",                         // SpacingMark after ASCII
    "a\u200Db",                         // ZWJ after ASCII
    "\u06001x",                         // Prepend before an ASCII digit
    "\u0600\tx",                        // Prepend before a control: breaks
    "\u0600 x",                         // Prepend before a space: joins
    "x\U0001F44D\U0001F3FDy",           // emoji with a modifier
    "\U0001F468\u200D\U0001F469z",      // ZWJ sequence
    "\U0001F1E9\U0001F1EA\U0001F1EBa",  // regional indicators
    "\u1100\u1161\uAC00a",              // Hangul jamo and syllable
    "e\u0301 \u00A0\u0301 [x]\u0301(y)",
    "\r\n\u0301a\r\u0301",
    "\u65E5\u672C\u8A9E abc",
};

TEST(LineTextBoundaries, AgreeWithTheBreakIteratorEverywhere) {
    for (const char* text : kBoundaryTexts) {
        const LineText line = LineText::of(text);
        const std::string_view view(text);
        for (std::size_t offset = 0; offset <= view.size(); ++offset) {
            EXPECT_EQ(text::isCharacterBoundary(view, offset), line.isCharacterBoundary(offset))
                << text << " at " << offset;
        }
    }
}

TEST(LineTextTrimming, AgreesWithTheTextFunctions) {
    for (const char* text : {" \u00A0x\u3000\t", "\u0600 x ", " \u0301x \u0301", "\t\u2028x\u0085", " ", "\u00A0"}) {
        EXPECT_EQ(text::trimmed(text), LineText::of(text).trimmed().text) << text;
        EXPECT_EQ(text::trimmedWhiteSpace(text), LineText::of(text).trimmedWhiteSpace().text) << text;
    }
}

TEST(LineTextWhiteSpace, SpaceCarryingAMarkIsNoWhiteSpace) {
    EXPECT_FALSE(LineText::of("a \u0301b").containsWhiteSpace());
    EXPECT_TRUE(LineText::of("a \u0301b").containsWhiteSpaceCodePoint());
    EXPECT_TRUE(LineText::of("\u00E9\u2003x").containsWhiteSpace());
    EXPECT_TRUE(LineText::of("ab\t").containsWhiteSpace());
    EXPECT_FALSE(LineText::of("\u00E9\u00E9").containsWhiteSpace());
}

TEST(LineTextFind, SkipsMatchesInsideACharacter) {
    const LineText line = LineText::of("a]\u0301b]c");
    EXPECT_EQ(5u, line.find("]"));
    EXPECT_FALSE(LineText::of("x-->\u0301").contains("-->"));
    EXPECT_TRUE(LineText::of("\u00E9-->").contains("-->"));
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    LineSplitter splitter(text);
    Line line;
    while (splitter.next(line)) {
        lines.emplace_back(line.text.text);
        EXPECT_EQ(static_cast<std::int64_t>(lines.size()), line.number);
        EXPECT_EQ(LineText::of(line.text.text).ascii, line.text.ascii) << line.text.text;
    }
    return lines;
}

TEST(LineSplitterBreaks, EveryBreakKind) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(Lines{""}, splitLines(""));
    EXPECT_EQ((Lines{"a", ""}), splitLines("a\n"));
    EXPECT_EQ((Lines{"a", "b"}), splitLines("a\r\nb"));
    EXPECT_EQ((Lines{"a", "", "b"}), splitLines("a\n\rb"));
    EXPECT_EQ((Lines{"a", "", "b"}), splitLines("a\r\r\nb"));
    EXPECT_EQ((Lines{"a", "b", "c", "d", "e", "f", "g"}), splitLines("a\rb\vc\fd\u0085e\u2028f\u2029g"));
    EXPECT_EQ((Lines{"\u00C2\u20AC\u2027x"}), splitLines("\u00C2\u20AC\u2027x"));
    EXPECT_EQ((Lines{"a", ""}), splitLines("a\r"));
    // Non-ASCII bytes after the break belong to the next line only.
    EXPECT_EQ((Lines{"ascii", "\u00E9t\u00E9"}), splitLines("ascii\n\u00E9t\u00E9"));
}

TEST(LineSplitterBreaks, LongLinesAcrossChunks) {
    // Breaks and non-ASCII bytes at every position relative to the scanner's chunks.
    for (std::size_t prefix = 0; prefix < 40; ++prefix) {
        const std::string head(prefix, 'x');
        const std::string tail(37, 'y');
        using Lines = std::vector<std::string>;
        EXPECT_EQ((Lines{head, tail}), splitLines(head + "\u2028" + tail)) << prefix;
        EXPECT_EQ((Lines{head + "\u00E9" + tail}), splitLines(head + "\u00E9" + tail)) << prefix;
        EXPECT_EQ((Lines{head, tail}), splitLines(head + "\r\n" + tail)) << prefix;
    }
}

}  // namespace
}  // namespace ledgerly
