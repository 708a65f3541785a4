#include "LedgerlyCore/Parsing/LineSplitter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ledgerly::testing {
namespace {

using parsing::Line;
using parsing::LineSplitter;
using text::TextView;

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    LineSplitter splitter(text);
    Line line;
    while (splitter.next(line)) {
        lines.emplace_back(line.text.text);
        EXPECT_EQ(static_cast<std::int64_t>(lines.size()), line.number);
        EXPECT_EQ(TextView::of(line.text.text).ascii, line.text.ascii) << line.text.text;
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
}  // namespace ledgerly::testing
