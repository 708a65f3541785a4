#include "LedgerlyCore/Models/BookmarkModel.h"

#include <gtest/gtest.h>

namespace ledgerly::testing {
namespace {

BookmarkLink link(std::string urlString, LinkActionFamily family) {
    return BookmarkLink{"Title", std::move(urlString), LinkEmphasis::none, LinkSource::named, family};
}

TEST(ParserWarningClipboardText, JoinsLinesWithoutTrailingFeed) {
    EXPECT_EQ("Ledgerly warning\nLine 7: Skipped unsupported line\nSource: hello world",
              (ParserWarning{7, ParserWarningCode::unsupportedLine, "Skipped unsupported line", "hello world"}
                   .clipboardText()));
    EXPECT_EQ("Ledgerly warning\nLine 0: Could not read selected file",
              (ParserWarning{0, ParserWarningCode::unreadableFile, "Could not read selected file", std::nullopt}
                   .clipboardText()));
    EXPECT_EQ("Ledgerly warning\nLine 120: m\nSource: ",
              (ParserWarning{120, ParserWarningCode::unsupportedLine, "m", ""}.clipboardText()));
    EXPECT_EQ("Ledgerly warning\nLine -3: m",
              (ParserWarning{-3, ParserWarningCode::unsupportedLine, "m", std::nullopt}.clipboardText()));
}

TEST(BookmarkLinkAlternateCopyPayload, MailLinksCopyTheBareAddress) {
    struct Case {
        const char* urlString;
        const char* expected;
    };
    const Case cases[] = {
        {"mailto:someone@example.com", "someone@example.com"},
        {"MAILTO:Someone@Example.com", "Someone@Example.com"},
        {"mailto:someone@example.com?subject=Hi", "mailto:someone@example.com?subject=Hi"},
        {"mailto:someone@example.com?", "mailto:someone@example.com?"},
        {"mailto:", "mailto:"},
        {"mailto:a%40example.com", "a@example.com"},
        {"mailto:a%2540example.com", "a@example.com"},
        {"mailto:50%25off@example.com", "mailto:50%25off@example.com"},
        {"mailto:%25E9@example.com", "mailto:%25E9@example.com"},  // decodes to a lone Latin-1 byte
        {"mailto:José@example.com", "José@example.com"},
        {"mailto:José@example.com?subject=Hi", "mailto:José@example.com?subject=Hi"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, link(c.urlString, LinkActionFamily::mailCompose).alternateCopyPayload()) << c.urlString;
    }
}

TEST(BookmarkLinkAlternateCopyPayload, OtherFamiliesCopyTheUrlUnchanged) {
    for (const auto family :
         {LinkActionFamily::web, LinkActionFamily::localAction, LinkActionFamily::externalURLScheme}) {
        EXPECT_EQ("mailto:user@example.com", link("mailto:user@example.com", family).alternateCopyPayload());
        EXPECT_EQ("https://user@example.com", link("https://user@example.com", family).alternateCopyPayload());
    }
}

TEST(BookmarkSnippetProperties, LabeledShowsLabelAndCopiesBody) {
    const auto labeled = BookmarkSnippet::makeLabeled("SSH key", "line one\nline two");
    EXPECT_EQ("SSH key", labeled.displayTitle());
    EXPECT_EQ("line one\nline two", labeled.copyPayload());
    EXPECT_TRUE(labeled.usesLabeledIcon());

    const auto inlineSnippet = BookmarkSnippet::makeInline("text", SnippetKind::email);
    EXPECT_EQ("text", inlineSnippet.displayTitle());
    EXPECT_EQ("text", inlineSnippet.copyPayload());
    EXPECT_FALSE(inlineSnippet.usesLabeledIcon());
}

TEST(MenuNodeEquality, ComparesNestedSubmenusMemberWise) {
    const MenuNode a{BookmarkSubmenu{"Work", {MenuNode{Divider{}}, MenuNode{SectionLabel{"x"}}}}};
    const MenuNode b{BookmarkSubmenu{"Work", {MenuNode{Divider{}}, MenuNode{SectionLabel{"x"}}}}};
    const MenuNode c{BookmarkSubmenu{"Work", {MenuNode{Divider{}}, MenuNode{SectionLabel{"y"}}}}};
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
}

}  // namespace
}  // namespace ledgerly::testing
