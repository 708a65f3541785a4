#include "LedgerlyReports/DocumentJson.h"
#include "LedgerlyReports/DocumentTreePrinter.h"

#include "ParsingTestSupport.h"

#include <gtest/gtest.h>

namespace ledgerly::testing {
namespace {
using nlohmann::ordered_json;

const LedgerlyDocument kEveryForm{
    "Home",
    {
        sectionLabel("Daily"),
        namedLink("Docs", "https://example.com", LinkEmphasis::soft),
        bareLink("tel:1", "tel:1", LinkActionFamily::externalURLScheme),
        namedLink("Mail", "mailto:a@b.c", LinkEmphasis::priority, LinkActionFamily::mailCompose),
        namedLink("Notes", "file:///tmp/", LinkEmphasis::none, LinkActionFamily::localAction),
        divider(),
        submenu("Work", {inlineSnippet("a@b.c", SnippetKind::email), labeledSnippet("Key", "one\ntwo")}),
        submenu("Empty"),
        inlineSnippet("plain"),
    },
    {warning(3, ParserWarningCode::unsupportedLine, "x"), warning(4, ParserWarningCode::unclosedComment, std::nullopt)},
};

TEST(DocumentJson, EveryFormUsesTheDocumentedNames) {
    const auto expected = ordered_json::parse(R"({
      "title": "Home",
      "items": [
        {"type": "sectionLabel", "text": "Daily"},
        {"type": "link", "title": "Docs", "urlString": "https://example.com", "emphasis": "soft",
         "source": "named", "actionFamily": "web"},
        {"type": "link", "title": "tel:1", "urlString": "tel:1", "emphasis": "none",
         "source": "bare", "actionFamily": "externalURLScheme"},
        {"type": "link", "title": "Mail", "urlString": "mailto:a@b.c", "emphasis": "priority",
         "source": "named", "actionFamily": "mailCompose"},
        {"type": "link", "title": "Notes", "urlString": "file:///tmp/", "emphasis": "none",
         "source": "named", "actionFamily": "localAction"},
        {"type": "divider"},
        {"type": "submenu", "title": "Work", "items": [
          {"type": "snippet", "variant": "inline", "text": "a@b.c", "kind": "email"},
          {"type": "snippet", "variant": "labeled", "label": "Key", "body": "one\ntwo"}]},
        {"type": "submenu", "title": "Empty", "items": []},
        {"type": "snippet", "variant": "inline", "text": "plain", "kind": "text"}
      ],
      "warnings": [
        {"line": 3, "code": "unsupportedLine", "message": "Skipped unsupported line", "sourceExcerpt": "x"},
        {"line": 4, "code": "unclosedComment", "message": "Skipped unclosed HTML comment", "sourceExcerpt": null}
      ]})");
    EXPECT_EQ(expected.dump(), reports::documentToJson(kEveryForm).dump());
}

// Scripts match these codes and users read these texts: both are promises.
TEST(DocumentJson, EachWarningHasItsStableCodeAndMessage) {
    struct Case {
        const char* markdown;
        const char* code;
        const char* message;
    };
    const Case cases[] = {
        {"---\ntitle: x\n", "unclosedFrontMatter", "Skipped unclosed YAML front matter"},
        {"<!-- open\n", "unclosedComment", "Skipped unclosed HTML comment"},
        {"#\n", "emptyTitle", "Skipped empty title"},
        {"##\n", "unmatchedCloseMarker", "Empty heading close marker did not match an open submenu"},
        {"- [a](https://a.example)\n  - [b](https://b.example)\n", "nestedList",
         "Nested list items are not supported yet. Use headings for submenus."},
        {"- \n", "emptyListItem", "Skipped empty list item"},
        {"[x](\n", "malformedLink", "Skipped malformed link"},
        {"[](https://a.example)\n", "linkWithEmptyTitle", "Skipped link with empty title"},
        {"[x]()\n", "linkWithEmptyURL", "Skipped link with empty URL"},
        {"hello\n", "unsupportedLine", "Skipped unsupported line"},
    };
    for (const auto& c : cases) {
        const auto warnings = reports::documentToJson(parse(c.markdown))["warnings"];
        ASSERT_FALSE(warnings.empty()) << c.markdown;
        EXPECT_EQ(c.code, warnings[0]["code"]) << c.markdown;
        EXPECT_EQ(c.message, warnings[0]["message"]) << c.markdown;
    }
}

TEST(DocumentJson, AbsentTitleIsNull) {
    EXPECT_EQ(R"({"title":null,"items":[],"warnings":[]})", reports::documentToJson(LedgerlyDocument{}).dump());
}

TEST(DocumentJson, FileReportHoldsEitherDocumentOrError) {
    EXPECT_EQ(R"({"file":"a.md","document":{"title":null,"items":[],"warnings":[]},"error":null})",
              reports::fileReportToJson("a.md", LedgerlyDocument{}, std::nullopt).dump());
    EXPECT_EQ(R"({"file":"b.md","document":null,"error":{"case":"selectedFileNotFound","reason":null}})",
              reports::fileReportToJson("b.md", std::nullopt, FileSourceError{FileSourceError::SelectedFileNotFound{}})
                  .dump());
    struct Case {
        FileReadFailureReason reason;
        const char* name;
    };
    for (const auto& c :
         {Case{FileReadFailureReason::permissionDenied, "permissionDenied"},
          Case{FileReadFailureReason::invalidUTF8, "invalidUTF8"}, Case{FileReadFailureReason::unknown, "unknown"}}) {
        const FileSourceError error{FileSourceError::UnreadableSelectedFile{c.reason}};
        EXPECT_EQ(std::string(R"({"case":"unreadableSelectedFile","reason":")") + c.name + "\"}",
                  reports::fileSourceErrorToJson(error).dump());
    }
}

TEST(DocumentTreePrinter, ShowsEntriesNestedUnderTheirSubmenus) {
    const std::string expected =
        "Title: \"Home\"\n"
        "Items:\n"
        "  - label \"Daily\"\n"
        "  - link \"Docs\" -> https://example.com (web, soft)\n"
        "  - link \"tel:1\" -> tel:1 (other app, bare)\n"
        "  - link \"Mail\" -> mailto:a@b.c (mail, priority)\n"
        "  - link \"Notes\" -> file:///tmp/ (local file)\n"
        "  - divider\n"
        "  - submenu \"Work\"\n"
        "    - snippet \"a@b.c\" (e-mail)\n"
        "    - snippet \"Key\" copies:\n"
        "        | one\n"
        "        | two\n"
        "  - submenu \"Empty\" (empty)\n"
        "  - snippet \"plain\"\n"
        "Warnings:\n"
        "  line 3: Skipped unsupported line\n"
        "      | x\n"
        "  line 4: Skipped unclosed HTML comment\n";
    EXPECT_EQ(expected, reports::documentTree(kEveryForm));
}

TEST(DocumentTreePrinter, EmptyDocumentSaysSo) {
    EXPECT_EQ("Title: (none)\nItems: none\nWarnings: none\n", reports::documentTree(LedgerlyDocument{}));
}

}  // namespace
}  // namespace ledgerly::testing
