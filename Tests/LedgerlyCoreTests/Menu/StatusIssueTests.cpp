#include "LedgerlyCore/Menu/StatusIssue.h"

#include <gtest/gtest.h>

namespace ledgerly::testing {
namespace {

using State = LedgerlyMenuState;

const std::filesystem::path kLinks = "/Users/me/Links.md";

StatusIssue error(std::string title, std::string detail, std::optional<std::string> path) {
    return StatusIssue{StatusIssue::Error{std::move(title), std::move(detail), std::move(path)}};
}

StatusIssue warning(std::int64_t line, ParserWarningCode code, std::string message,
                    std::optional<std::string> excerpt = std::nullopt) {
    return StatusIssue{StatusIssue::Warning{ParserWarning{line, code, std::move(message), std::move(excerpt)}}};
}

StatusIssue warning(std::int64_t line, std::string message, std::optional<std::string> excerpt = std::nullopt) {
    return warning(line, ParserWarningCode::unsupportedLine, std::move(message), std::move(excerpt));
}

TEST(StatusIssues, EachStateGivesItsIssues) {
    const ParserWarning first{3, ParserWarningCode::unsupportedLine, "Skipped unsupported line", "hello"};
    const ParserWarning second{9, ParserWarningCode::malformedLink, "Skipped malformed link", std::nullopt};
    struct Case {
        State state;
        std::vector<StatusIssue> expected;
    };
    const Case cases[] = {
        {State{State::NoFileSelected{}}, {}},
        {State{State::Document{LedgerlyDocument{}}}, {}},
        {State{State::Document{LedgerlyDocument{"T", {}, {first, second}}}},
         {warning(3, ParserWarningCode::unsupportedLine, "Skipped unsupported line", "hello"),
          warning(9, ParserWarningCode::malformedLink, "Skipped malformed link")}},
        {State{State::Unavailable{"Could not read selected file",
                                  {ParserWarning::make(0, ParserWarningCode::unreadableFile, std::nullopt)}}},
         {warning(0, ParserWarningCode::unreadableFile, "Could not read selected file")}},
        {State{State::SelectedFileNotFound{}},
         {error("Selected file not found", "The Markdown file may have been moved, renamed, or deleted.",
                kLinks.string())}},
        {State{State::SelectedFileUnreadable{FileReadFailureReason::permissionDenied}},
         {error("Can't read selected file", "Ledgerly needs permission to read this Markdown file.", kLinks.string())}},
        {State{State::SelectedFileUnreadable{FileReadFailureReason::invalidUTF8}},
         {error("Can't read selected file", "The selected file could not be loaded as UTF-8 Markdown.",
                kLinks.string())}},
        {State{State::SelectedFileUnreadable{FileReadFailureReason::unknown}},
         {error("Can't read selected file", "The selected file could not be loaded as Markdown.", kLinks.string())}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, statusIssues(c.state, kLinks)) << c.state.value.index();
    }
}

TEST(StatusIssues, ErrorWithoutURLHasNoPath) {
    EXPECT_EQ(std::vector{error("Selected file not found",
                                "The Markdown file may have been moved, renamed, or deleted.", std::nullopt)},
              statusIssues(State{State::SelectedFileNotFound{}}, std::nullopt));
}

TEST(StatusIssueTitles, CountsErrorsBeforeWarnings) {
    struct Case {
        std::vector<StatusIssue> issues;
        std::string expected;
    };
    const Case cases[] = {
        {{}, "Status: OK"},
        {{warning(1, "m")}, "Status: 1 warning"},
        {{warning(1, "m"), warning(2, "m")}, "Status: 2 warnings"},
        {std::vector<StatusIssue>(14, warning(1, "m")), "Status: 14 warnings"},
        {std::vector<StatusIssue>(1234, warning(1, "m")), "Status: 1234 warnings"},
        {{error("t", "d", std::nullopt)}, "Status: 1 error"},
        {{error("t", "d", std::nullopt), error("t", "d", std::nullopt)}, "Status: 2 errors"},
        {{warning(1, "m"), error("t", "d", std::nullopt), warning(2, "m")}, "Status: 1 error"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, statusTitle(c.issues));
    }
}

TEST(StatusIssueReports, ErrorReportHasFourLinesWithAPathAndThreeWithout) {
    const auto issues = statusIssues(State{State::SelectedFileNotFound{}}, kLinks);
    ASSERT_EQ(1u, issues.size());
    EXPECT_EQ(
        "Ledgerly error\nSelected file not found\nThe Markdown file may have been moved, renamed, or deleted.\n"
        "/Users/me/Links.md",
        issues[0].report());
    EXPECT_EQ("Ledgerly error\nt\nd", error("t", "d", std::nullopt).report());
}

TEST(StatusIssueReports, WarningEntryTitleAndReport) {
    const StatusIssue issue = warning(12, "Skipped malformed link", "[x](");
    EXPECT_EQ("Line 12: Skipped malformed link", issue.entryTitle());
    EXPECT_EQ("Ledgerly warning\nLine 12: Skipped malformed link\nSource: [x](", issue.report());
    EXPECT_EQ("Line 0: Could not read selected file", warning(0, "Could not read selected file").entryTitle());
    EXPECT_EQ("Line -4: m", warning(-4, "m").entryTitle());
}

}  // namespace
}  // namespace ledgerly::testing
