#include "ParsingTestSupport.h"

#include <gtest/gtest.h>

namespace ledgerly::testing {
namespace {

constexpr auto kUnsupported = ParserWarningCode::unsupportedLine;
constexpr auto kNested = ParserWarningCode::nestedList;
constexpr auto kCloseMarker = ParserWarningCode::unmatchedCloseMarker;

TEST(MarkdownParserDocument, WorkedExampleGivesTheWholeTree) {
    const std::string text = joinLines({
        "---",
        "tags: links",
        "---",
        "# My Links",
        "**Daily**",
        "- [Calendar](https://calendar.example.com)",
        "- example.org",
        "---",
        "## Work",
        "- **[Dashboard](https://dash.example.com)**",
        "- Deploy",
        "  > make deploy",
        "  > make verify",
        "### Tools",
        "- *[Status](https://status.example.com)*",
        "##",
        "- user@example.com",
        "Just some text",
    });
    const LedgerlyDocument expected{
        "My Links",
        {
            sectionLabel("Daily"),
            namedLink("Calendar", "https://calendar.example.com"),
            bareLink("example.org", "https://example.org"),
            divider(),
            submenu("Work",
                    {
                        namedLink("Dashboard", "https://dash.example.com", LinkEmphasis::priority),
                        labeledSnippet("Deploy", "make deploy\nmake verify"),
                        submenu("Tools", {namedLink("Status", "https://status.example.com", LinkEmphasis::soft)}),
                    }),
            inlineSnippet("user@example.com", SnippetKind::email),
        },
        {warning(18, kUnsupported, "Just some text")},
    };
    EXPECT_EQ(expected, parse(text));
}

TEST(MarkdownParserDocument, WarningsOnlyParseFindsTheSameWarningsAndKeepsNoEntries) {
    const std::string text = joinLines({"# Title", "## Work", "- [Docs](https://docs.example.com)", "##", "###",
                                        "  - nested", "[Broken](", "- ", "Just some text", "<!-- open"});
    const LedgerlyDocument whole = parse(text);
    const LedgerlyDocument warningsOnly = MarkdownParser().parse(text, MarkdownParser::Keep::warningsOnly);
    ASSERT_EQ(6u, whole.warnings.size());
    EXPECT_EQ(whole.warnings, warningsOnly.warnings);
    EXPECT_EQ(LedgerlyDocument({}, {}, whole.warnings), warningsOnly);
}

TEST(MarkdownParserDocument, EmptyAndBlankTextsGiveEmptyDocuments) {
    EXPECT_EQ(LedgerlyDocument{}, parse(""));
    EXPECT_EQ(LedgerlyDocument{}, parse("\n\n   \n\t\n"));
    EXPECT_EQ(LedgerlyDocument{}, parse("\u00A0\u2028\u3000"));
}

TEST(MarkdownParserDocument, ParserKeepsNoStateBetweenCalls) {
    const MarkdownParser parser;
    const auto first = parser.parse("# One\n## A\n- x");
    parser.parse("# Two\nnoise");
    EXPECT_EQ(first, parser.parse("# One\n## A\n- x"));
}

TEST(MarkdownParserFrontMatter, ClosedBlockIsSkipped) {
    EXPECT_EQ((LedgerlyDocument{std::nullopt, {inlineSnippet("a")}, {}}), parse("---\ntitle: x\n---\n- a"));
    EXPECT_EQ((LedgerlyDocument{std::nullopt, {inlineSnippet("a")}, {}}), parse("  ---  \nnoise\n\t---\n- a"));
}

TEST(MarkdownParserFrontMatter, SingleLineIsSilentlySkipped) { EXPECT_EQ(LedgerlyDocument{}, parse("---")); }

TEST(MarkdownParserFrontMatter, UnclosedCostsOnlyTheOpeningLine) {
    const LedgerlyDocument expected{
        std::nullopt,
        {inlineSnippet("a")},
        {warning(1, ParserWarningCode::unclosedFrontMatter, "---"), warning(2, kUnsupported, "title: x"),
         warning(4, kUnsupported, "---x")},
    };
    EXPECT_EQ(expected, parse("---\ntitle: x\n- a\n---x"));
}

TEST(MarkdownParserFrontMatter, DashesLaterInTheFileAreDividers) {
    EXPECT_EQ((LedgerlyDocument{std::nullopt, {inlineSnippet("a"), divider(), inlineSnippet("b")}, {}}),
              parse("- a\n---\n- b"));
}

TEST(MarkdownParserFrontMatter, WarningComesFirst) {
    const auto document = parse("---\nnoise");
    ASSERT_EQ(2u, document.warnings.size());
    EXPECT_EQ(warning(1, ParserWarningCode::unclosedFrontMatter, "---"), document.warnings[0]);
    EXPECT_EQ(warning(2, kUnsupported, "noise"), document.warnings[1]);
}

TEST(MarkdownParserComments, SingleLineCommentIsSkipped) {
    EXPECT_EQ(LedgerlyDocument{}, parse("<!-- note -->"));
    EXPECT_EQ(LedgerlyDocument{}, parse("   <!-->"));
}

TEST(MarkdownParserComments, MultiLineCommentSkipsThroughTheClosingLine) {
    EXPECT_EQ((LedgerlyDocument{std::nullopt, {inlineSnippet("a")}, {}}),
              parse("<!--\nanything\nend --> dropped text\n- a"));
}

TEST(MarkdownParserComments, UnclosedCommentStopsTheParse) {
    const LedgerlyDocument expected{
        std::nullopt,
        {inlineSnippet("before")},
        {warning(2, ParserWarningCode::unclosedComment, "<!-- open")},
    };
    EXPECT_EQ(expected, parse("- before\n  <!-- open\n- a\nnoise"));
    EXPECT_EQ((LedgerlyDocument{std::nullopt, {}, {warning(1, ParserWarningCode::unclosedComment, "<!--")}}),
              parse("<!--\n- a"));
}

TEST(MarkdownParserComments, CommentMustBeginTheLine) {
    EXPECT_EQ((LedgerlyDocument{std::nullopt, {}, {warning(1, kUnsupported, "text <!-- not a comment -->")}}),
              parse("text <!-- not a comment -->"));
}

TEST(MarkdownParserComments, ClosingMarkerCarryingACombiningMarkDoesNotClose) {
    // "-->" followed by U+0301 is no "-->": the comment stays open.
    const auto document = parse("<!--\nend -->\u0301\n- a");
    EXPECT_TRUE(document.items.empty());
    EXPECT_EQ(std::vector<ParserWarning>{warning(1, ParserWarningCode::unclosedComment, "<!--")}, document.warnings);
}

TEST(MarkdownParserHeadings, FirstLevelOneHeadingIsTheTitle) {
    EXPECT_EQ((LedgerlyDocument{"Home", {submenu("Work")}, {}}), parse("# Home\n# Work"));
}

TEST(MarkdownParserHeadings, TitleHeadingClosesNothing) {
    EXPECT_EQ((LedgerlyDocument{"Title", {submenu("A", {inlineSnippet("x"), inlineSnippet("y")})}, {}}),
              parse("## A\n- x\n# Title\n- y"));
}

TEST(MarkdownParserHeadings, CloseMarkerClosesItsLevelAndDeeper) {
    EXPECT_EQ(
        (LedgerlyDocument{std::nullopt, {submenu("A", {submenu("B", {inlineSnippet("x")})}), inlineSnippet("y")}, {}}),
        parse("## A\n### B\n- x\n##\n- y"));
}

TEST(MarkdownParserHeadings, CloseMarkerDeeperThanOpenWarns) {
    EXPECT_EQ((LedgerlyDocument{std::nullopt, {submenu("A", {inlineSnippet("x")})}, {warning(2, kCloseMarker, "###")}}),
              parse("## A\n###\n- x"));
    EXPECT_EQ((LedgerlyDocument{std::nullopt, {}, {warning(1, kCloseMarker, "##")}}), parse("##"));
}

TEST(MarkdownParserHeadings, SiblingHeadingClosesTheDeeperOne) {
    EXPECT_EQ((LedgerlyDocument{std::nullopt, {submenu("A", {submenu("B"), submenu("C")})}, {}}),
              parse("## A\n#### B\n### C"));
}

TEST(MarkdownParserHeadings, ShallowerHeadingClosesAllDeeper) {
    EXPECT_EQ((LedgerlyDocument{std::nullopt, {submenu("A", {submenu("B")}), submenu("C")}, {}}),
              parse("### A\n#### B\n## C"));
}

TEST(MarkdownParserHeadings, EmptyLevelOneHeadingWarns) {
    EXPECT_EQ((LedgerlyDocument{
                  std::nullopt,
                  {},
                  {warning(1, ParserWarningCode::emptyTitle, "#"), warning(2, ParserWarningCode::emptyTitle, "#")}}),
              parse("#\n#   \t"));
}

TEST(MarkdownParserHeadings, HashesWithoutSpaceAreUnsupported) {
    EXPECT_EQ((LedgerlyDocument{std::nullopt, {}, {warning(1, kUnsupported, "#Title")}}), parse("#Title"));
}

TEST(MarkdownParserHeadings, DeepHeadingsAndTrailingHashes) {
    EXPECT_EQ((LedgerlyDocument{std::nullopt, {submenu("Deep", {submenu("Work #")})}, {}}),
              parse("####### Deep\n######## Work #"));
}

// Headings of levels 2 to 2 + depth - 1, each deeper than the one before.
std::string headingsEachDeeper(std::size_t depth) {
    std::string text;
    for (std::size_t level = 2; level < depth + 2; ++level) {
        text += std::string(level, '#') + " H" + std::to_string(level) + "\n";
    }
    return text;
}

TEST(MarkdownParserHeadings, SubmenusNestUpToTheMaximumDepth) {
    const auto document = parse(headingsEachDeeper(MarkdownParser::maximumSubmenuDepth) + "- x");
    const std::vector<MenuNode>* items = &document.items;
    for (std::size_t depth = 0; depth < MarkdownParser::maximumSubmenuDepth; ++depth) {
        ASSERT_EQ(1U, items->size());
        items = &std::get<BookmarkSubmenu>(items->front().value).items;
    }
    EXPECT_EQ(std::vector<MenuNode>{inlineSnippet("x")}, *items);
}

TEST(MarkdownParserHeadings, HeadingsPastTheMaximumDepthBecomeSiblingsOfTheDeepest) {
    const std::size_t depth = MarkdownParser::maximumSubmenuDepth;
    const auto document = parse(headingsEachDeeper(depth + 2) + "- x\n## Top");
    ASSERT_EQ(2U, document.items.size());
    const std::vector<MenuNode>* items = &std::get<BookmarkSubmenu>(document.items.front().value).items;
    for (std::size_t level = 2; level < depth; ++level) {
        ASSERT_EQ(1U, items->size());
        items = &std::get<BookmarkSubmenu>(items->front().value).items;
    }
    const auto last = [](std::size_t level) { return "H" + std::to_string(level); };
    EXPECT_EQ((std::vector<MenuNode>{submenu(last(depth + 1)), submenu(last(depth + 2)),
                                     submenu(last(depth + 3), {inlineSnippet("x")})}),
              *items);
    // Nothing is lost: the later heading still closes them all by level.
    EXPECT_EQ(submenu("Top"), document.items.back());
}

TEST(MarkdownParserHeadings, NonASCIIWhiteSpaceSeparatesTheTitle) {
    EXPECT_EQ((LedgerlyDocument{"Caf\u00E9", {submenu("\u65E5\u672C")}, {}}),
              parse("#\u00A0Caf\u00E9\n##\u3000\u65E5\u672C"));
}

TEST(MarkdownParserHeadings, HashCarryingACombiningMarkIsNoHash) {
    const auto document = parse("##\u0301 Title");
    EXPECT_TRUE(document.items.empty());
    EXPECT_EQ(std::vector<ParserWarning>{warning(1, kUnsupported, "##\u0301 Title")}, document.warnings);
}

TEST(MarkdownParserHeadings, HeadingWithoutEntriesStaysInTheTree) {
    EXPECT_EQ((LedgerlyDocument{std::nullopt, {submenu("Empty"), submenu("Next", {inlineSnippet("x")})}, {}}),
              parse("## Empty\n## Next\n- x"));
}

TEST(MarkdownParserDividers, OnlyThreeHyphensMakeADivider) {
    EXPECT_EQ((LedgerlyDocument{std::nullopt,
                                {divider()},
                                {warning(1, kUnsupported, "***"), warning(2, kUnsupported, "___"),
                                 warning(3, kUnsupported, "----")}}),
              parse("***\n___\n----\n  ---  "));
}

TEST(MarkdownParserSectionLabels, MarkersMakeLabels) {
    struct Case {
        const char* line;
        const char* label;
    };
    const Case cases[] = {
        {"**Work**", "Work"},
        {"__Personal__", "Personal"},
        {"** Tools **", "Tools"},
        {"**a** and **b**", "a** and **b"},
        {"**[Docs](https://example.com)**", "[Docs](https://example.com)"},
        {"  **\u00C9t\u00E9**  ", "\u00C9t\u00E9"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ((LedgerlyDocument{std::nullopt, {sectionLabel(c.label)}, {}}), parse(c.line)) << c.line;
    }
}

TEST(MarkdownParserSectionLabels, EmptyOrOverlappingMarkersAreUnsupported) {
    for (const char* line : {"****", "***", "**  **", "____", "**x__"}) {
        EXPECT_EQ((LedgerlyDocument{std::nullopt, {}, {warning(1, kUnsupported, line)}}), parse(line)) << line;
    }
}

TEST(MarkdownParserListItems, MarkersMakeInlineSnippets) {
    EXPECT_EQ((LedgerlyDocument{std::nullopt,
                                {inlineSnippet("Some text"), inlineSnippet("star"), inlineSnippet("plus"),
                                 inlineSnippet("**bold text**")},
                                {}}),
              parse("- Some text\n* star\n+   plus  \n- **bold text**"));
}

TEST(MarkdownParserListItems, IndentedMarkersWarnAsNested) {
    const auto document = parse("  - item\n\t- item\n\u00A0* item");
    EXPECT_TRUE(document.items.empty());
    EXPECT_EQ((std::vector<ParserWarning>{warning(1, kNested, "- item"), warning(2, kNested, "- item"),
                                          warning(3, kNested, "* item")}),
              document.warnings);
}

TEST(MarkdownParserListItems, MarkerNeedsExactlyASpace) {
    const auto document = parse("-item\n-\titem\n-\n-\u0301 item");
    EXPECT_TRUE(document.items.empty());
    EXPECT_EQ((std::vector<ParserWarning>{warning(1, kUnsupported, "-item"), warning(2, kUnsupported, "-\titem"),
                                          warning(3, kUnsupported, "-"), warning(4, kUnsupported, "-\u0301 item")}),
              document.warnings);
}

TEST(MarkdownParserListItems, MarkerFollowedByACombiningMarkIsNoListItem) {
    // "- " whose space carries U+0301 does not begin with "- ".
    const auto document = parse("- \u0301item");
    EXPECT_TRUE(document.items.empty());
    EXPECT_EQ(std::vector<ParserWarning>{warning(1, kUnsupported, "- \u0301item")}, document.warnings);
}

TEST(MarkdownParserListItems, EmptyItemsWarn) {
    EXPECT_EQ((LedgerlyDocument{std::nullopt,
                                {},
                                {warning(1, ParserWarningCode::emptyListItem, "-"),
                                 warning(2, ParserWarningCode::emptyListItem, "*")}}),
              parse("- \n*  \t"));
}

TEST(MarkdownParserListItems, EmailAddressesAreEmailSnippets) {
    EXPECT_EQ((LedgerlyDocument{
                  std::nullopt,
                  {inlineSnippet("user@example.com", SnippetKind::email),
                   inlineSnippet("user@example.com", SnippetKind::email), inlineSnippet("a@b", SnippetKind::text)},
                  {warning(3, kUnsupported, "a@b")}}),
              parse("user@example.com\n- user@example.com\na@b\n- a@b"));
}

TEST(MarkdownParserListItems, UnsupportedLineOutsideAList) {
    EXPECT_EQ((LedgerlyDocument{std::nullopt, {}, {warning(1, kUnsupported, "Some text")}}), parse("Some text"));
}

TEST(MarkdownParserExcerpts, LongLinesAreCutToOneHundredCharacters) {
    const std::string hundred(100, 'a');
    EXPECT_EQ(hundred, parse("  " + hundred + "  ").warnings.at(0).sourceExcerpt);
    EXPECT_EQ(std::string(97, 'b') + "...", parse(std::string(101, 'b')).warnings.at(0).sourceExcerpt);
}

TEST(MarkdownParserExcerpts, CutCountsCombiningMarksWithTheirBase) {
    // Each "e" + U+0301 is one character of three bytes.
    std::string line;
    for (int i = 0; i < 101; ++i) {
        line += "e\u0301";
    }
    std::string expected;
    for (int i = 0; i < 97; ++i) {
        expected += "e\u0301";
    }
    EXPECT_EQ(expected + "...", parse(line).warnings.at(0).sourceExcerpt);

    std::string exact;
    for (int i = 0; i < 100; ++i) {
        exact += "e\u0301";
    }
    EXPECT_EQ(exact, parse(exact).warnings.at(0).sourceExcerpt);
}

TEST(MarkdownParserExcerpts, CutNeverSplitsAnEmojiSequence) {
    // A thumbs-up with a skin-tone modifier and a family joined by ZWJ are one character each.
    const std::string thumbs = "\U0001F44D\U0001F3FD";
    const std::string family = "\U0001F468\u200D\U0001F469\u200D\U0001F467";
    std::string line = std::string(96, 'x') + thumbs + family + "tail";
    EXPECT_EQ(std::string(96, 'x') + thumbs + "...", parse(line).warnings.at(0).sourceExcerpt);
    const std::string fits = std::string(98, 'x') + thumbs + family;
    EXPECT_EQ(fits, parse(fits).warnings.at(0).sourceExcerpt);
}

TEST(MarkdownParserExcerpts, IndentationIsNotPartOfTheExcerpt) {
    EXPECT_EQ("- item", parse("    - item").warnings.at(0).sourceExcerpt);
}

TEST(MarkdownParserLineBreaks, CarriageReturnLineFeedIsOneBreak) {
    const auto document = parse("# T\r\n- a\r\nbad line\r\n- b\r\n");
    EXPECT_EQ((LedgerlyDocument{"T", {inlineSnippet("a"), inlineSnippet("b")}, {warning(3, kUnsupported, "bad line")}}),
              document);
}

TEST(MarkdownParserLineBreaks, QuotedBodySurvivesWindowsLineEnds) {
    const auto document = parse("- Deploy\r\n  > make deploy\r\n  > make verify\r\n- next\r\n");
    EXPECT_EQ((LedgerlyDocument{
                  std::nullopt, {labeledSnippet("Deploy", "make deploy\nmake verify"), inlineSnippet("next")}, {}}),
              document);
}

TEST(MarkdownParserLineBreaks, EveryOtherBreakCharacterBreaksOnItsOwn) {
    // LF CR is two breaks; lone CR, VT, FF, NEL, LS and PS each break once.
    const std::string text = "one\n\rtwo\rthree\vfour\ffive\u0085six\u2028seven\u2029eight";
    const auto document = parse(text);
    std::vector<std::int64_t> lines;
    for (const auto& w : document.warnings) {
        lines.push_back(w.line);
    }
    EXPECT_EQ((std::vector<std::int64_t>{1, 3, 4, 5, 6, 7, 8, 9}), lines);
    EXPECT_EQ("eight", document.warnings.back().sourceExcerpt);
}

TEST(MarkdownParserLineBreaks, CarriageReturnsBeforeTheLineFeedCountOnce) {
    // CR CR LF: a lone CR, then a CR LF.
    EXPECT_EQ(std::vector<ParserWarning>{warning(3, kUnsupported, "x")}, parse("- a\r\r\nx").warnings);
}

TEST(MarkdownParserLineBreaks, NonASCIIBreaksInsideUTF8AreNotConfused) {
    // U+2029 ends a line; U+20AC (E2 82 AC) and U+00A9 (C2 A9) do not.
    EXPECT_EQ((std::vector<ParserWarning>{warning(1, kUnsupported, "\u20AC \u00A9"), warning(2, kUnsupported, "z")}),
              parse("\u20AC \u00A9\u2029z").warnings);
}

}  // namespace
}  // namespace ledgerly::testing
