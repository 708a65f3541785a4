#include "ParsingTestSupport.h"

#include <gtest/gtest.h>

namespace ledgerly::testing {
namespace {

constexpr auto kUnsupported = ParserWarningCode::unsupportedLine;

TEST(MarkdownParserLabeledSnippets, OneSpaceAfterTheMarkerIsRemoved) {
    EXPECT_EQ((LedgerlyDocument{std::nullopt, {labeledSnippet("Key", "first\n  second")}, {}}),
              parse("- Key\n  > first\n  >   second"));
}

TEST(MarkdownParserLabeledSnippets, BlankLineEndsTheBody) {
    EXPECT_EQ((LedgerlyDocument{std::nullopt, {inlineSnippet("Key")}, {warning(3, kUnsupported, "> quote")}}),
              parse("- Key\n\n  > quote"));
}

TEST(MarkdownParserLabeledSnippets, AllBlankQuoteLinesGiveNoBody) {
    EXPECT_EQ(
        (LedgerlyDocument{
            std::nullopt, {inlineSnippet("Key")}, {warning(2, kUnsupported, ">"), warning(3, kUnsupported, ">")}}),
        parse("- Key\n  >\n  >  "));
}

TEST(MarkdownParserLabeledSnippets, TrailingWhiteSpaceAlsoMarksABodyLine) {
    EXPECT_EQ((LedgerlyDocument{std::nullopt, {labeledSnippet("Key", "text")}, {}}).items,
              parse("- Key\n> text \n> end").items);
    EXPECT_EQ(std::vector<ParserWarning>{warning(3, kUnsupported, "> end")}, parse("- Key\n> text \n> end").warnings);
    EXPECT_EQ((LedgerlyDocument{std::nullopt, {inlineSnippet("Key")}, {warning(2, kUnsupported, "> text")}}),
              parse("- Key\n> text"));
}

TEST(MarkdownParserLabeledSnippets, DestinationsAndLinksIgnoreAFollowingQuote) {
    EXPECT_EQ(
        (LedgerlyDocument{
            std::nullopt, {bareLink("example.com", "https://example.com")}, {warning(2, kUnsupported, "> note")}}),
        parse("- example.com\n  > note"));
    EXPECT_EQ(
        (LedgerlyDocument{std::nullopt, {namedLink("D", "https://example.com")}, {warning(2, kUnsupported, "> note")}}),
        parse("- [D](https://example.com)\n  > note"));
}

TEST(MarkdownParserLabeledSnippets, BodyMayHoldBlankLines) {
    EXPECT_EQ((LedgerlyDocument{std::nullopt, {labeledSnippet("Key", "a\n\nb"), inlineSnippet("next")}, {}}),
              parse("- Key\n  > a\n  >\n  > b\n- next"));
}

TEST(MarkdownParserLabeledSnippets, EmailLabelWinsOverEmailSnippet) {
    EXPECT_EQ((LedgerlyDocument{std::nullopt, {labeledSnippet("user@example.com", "note")}, {}}),
              parse("- user@example.com\n  > note"));
}

TEST(MarkdownParserLabeledSnippets, LineAfterTheBodyIsParsedNormally) {
    EXPECT_EQ((LedgerlyDocument{std::nullopt, {submenu("A", {labeledSnippet("Key", "v")}), submenu("B")}, {}}),
              parse("## A\n- Key\n\t> v\n## B"));
}

TEST(MarkdownParserLabeledSnippets, BodyRunsToTheEndOfTheFile) {
    EXPECT_EQ((LedgerlyDocument{std::nullopt, {labeledSnippet("Key", "v\nw")}, {}}), parse("- Key\n  > v\n  > w"));
}

TEST(MarkdownParserLabeledSnippets, NonASCIIIndentationAndBody) {
    EXPECT_EQ((LedgerlyDocument{std::nullopt, {labeledSnippet("\u00C9t\u00E9", "\u65E5\u672C \U0001F600")}, {}}),
              parse("- \u00C9t\u00E9\n\u3000> \u65E5\u672C \U0001F600"));
}

TEST(MarkdownParserLabeledSnippets, QuoteMarkerCarryingACombiningMarkIsNoQuote) {
    EXPECT_EQ((LedgerlyDocument{std::nullopt, {inlineSnippet("Key")}, {warning(2, kUnsupported, ">\u0301 v")}}),
              parse("- Key\n  >\u0301 v"));
}

TEST(MarkdownParserLabeledSnippets, MixedLineEndsKeepTheBody) {
    EXPECT_EQ((LedgerlyDocument{std::nullopt, {labeledSnippet("Key", "a\nb\nc")}, {warning(5, kUnsupported, "x")}}),
              parse("- Key\r\n  > a\n  > b\u2028  > c\r\nx"));
}

}  // namespace
}  // namespace ledgerly::testing
