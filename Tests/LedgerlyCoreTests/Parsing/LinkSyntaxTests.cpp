#include "LedgerlyCore/Parsing/LinkSyntax.h"

#include "ParsingTestSupport.h"

#include <gtest/gtest.h>

#include <utility>

namespace ledgerly::testing {
namespace {
using parsing::PlainEmail;
using text::TextView;

constexpr auto kWeb = LinkActionFamily::web;
constexpr auto kMail = LinkActionFamily::mailCompose;
constexpr auto kLocal = LinkActionFamily::localAction;
constexpr auto kExternal = LinkActionFamily::externalURLScheme;

struct LinkCase {
    const char* content;
    MenuNode expected;
};

TEST(MarkdownParserNamedLinks, ListItemContentGivesTheLink) {
    const LinkCase cases[] = {
        {"[Docs](https://example.com/docs)", namedLink("Docs", "https://example.com/docs")},
        {"*[Docs](https://example.com)*", namedLink("Docs", "https://example.com", LinkEmphasis::soft)},
        {"**[Docs](https://example.com)**", namedLink("Docs", "https://example.com", LinkEmphasis::priority)},
        {"[*Docs*](https://example.com)", namedLink("Docs", "https://example.com", LinkEmphasis::soft)},
        {"[**Docs**](https://example.com)", namedLink("Docs", "https://example.com", LinkEmphasis::priority)},
        {"*[**Docs**](https://example.com)*", namedLink("Docs", "https://example.com", LinkEmphasis::priority)},
        {"**[*Docs*](https://example.com)**", namedLink("Docs", "https://example.com", LinkEmphasis::soft)},
        {"[  Docs  ](  https://example.com  )", namedLink("Docs", "https://example.com")},
        {"[Mail](user@example.com)", namedLink("Mail", "mailto:user@example.com", LinkEmphasis::none, kMail)},
        {"[Mail](MAILTO:user@example.com)", namedLink("Mail", "MAILTO:user@example.com", LinkEmphasis::none, kMail)},
        {"[Site](example.com)", namedLink("Site", "https://example.com")},
        {"[Notes](file:///Users/me/Notes/)", namedLink("Notes", "file:///Users/me/Notes/", LinkEmphasis::none, kLocal)},
        {"[App](myapp://open?id=42)", namedLink("App", "myapp://open?id=42", LinkEmphasis::none, kExternal)},
        {"[__Docs__](https://example.com)", namedLink("__Docs__", "https://example.com")},
        {"[Caf\u00E9 \U0001F44D](https://example.com/\u00E9)",
         namedLink("Caf\u00E9 \U0001F44D", "https://example.com/\u00E9")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ((LedgerlyDocument{std::nullopt, {c.expected}, {}}), parse(std::string("- ") + c.content))
            << c.content;
    }
}

TEST(MarkdownParserNamedLinks, LinkAloneOnALineOutsideAList) {
    EXPECT_EQ((LedgerlyDocument{std::nullopt,
                                {namedLink("Docs", "https://example.com"),
                                 namedLink("Docs", "https://example.com", LinkEmphasis::soft)},
                                {}}),
              parse("  [Docs](https://example.com)\n*[Docs](https://example.com)*"));
}

TEST(MarkdownParserNamedLinks, BrokenLinksWarnWithTheirReason) {
    struct Case {
        const char* content;
        ParserWarningCode code;
    };
    const Case cases[] = {
        {"[Docs](https://example.com) more", ParserWarningCode::malformedLink},
        {"[Docs] (https://example.com)", ParserWarningCode::malformedLink},
        {"[Docs](https://example.com/a_(b))", ParserWarningCode::malformedLink},
        {"[Docs](https://example.com/a b)", ParserWarningCode::malformedLink},
        {"[Docs](/Users/me/docs)", ParserWarningCode::malformedLink},
        {"[Docs](~/docs)", ParserWarningCode::malformedLink},
        {"*[Docs](https://example.com)", ParserWarningCode::malformedLink},
        {"[Docs", ParserWarningCode::malformedLink},
        {"[Docs](https://example.com", ParserWarningCode::malformedLink},
        {"[Docs]", ParserWarningCode::malformedLink},
        {"[Docs]\u0301(https://example.com)", ParserWarningCode::malformedLink},
        {"[](https://example.com)", ParserWarningCode::linkWithEmptyTitle},
        {"[**](https://example.com)", ParserWarningCode::linkWithEmptyTitle},
        {"[Docs]()", ParserWarningCode::linkWithEmptyURL},
        {"[Docs](   )", ParserWarningCode::linkWithEmptyURL},
        {"[]()", ParserWarningCode::linkWithEmptyTitle},
    };
    for (const auto& c : cases) {
        for (const std::string prefix : {"- ", ""}) {
            const std::string line = prefix + c.content;
            EXPECT_EQ((LedgerlyDocument{std::nullopt, {}, {warning(1, c.code, line)}}), parse(line)) << line;
        }
    }
}

TEST(MarkdownParserNamedLinks, DoubleAsterisksOutsideAListMakeALabel) {
    EXPECT_EQ((LedgerlyDocument{std::nullopt, {sectionLabel("[Docs](https://example.com)")}, {}}),
              parse("**[Docs](https://example.com)**"));
}

TEST(MarkdownParserBareLinks, DestinationsAreClassified) {
    struct Case {
        const char* text;
        const char* urlString;
        LinkActionFamily family;
    };
    const Case cases[] = {
        {"https://example.com/a?b=c#d", "https://example.com/a?b=c#d", kWeb},
        {"HTTP://EXAMPLE.COM", "HTTP://EXAMPLE.COM", kWeb},
        {"mailto:user@example.com", "mailto:user@example.com", kMail},
        {"file:///Users/me/Downloads/", "file:///Users/me/Downloads/", kLocal},
        {"myapp://open?id=42", "myapp://open?id=42", kExternal},
        {"tel:123", "tel:123", kExternal},
        {"http:example.com", "http:example.com", kExternal},
        {"example.com", "https://example.com", kWeb},
        {"docs.example.com/guide?x=1", "https://docs.example.com/guide?x=1", kWeb},
        {"example.com:8080", "example.com:8080", kExternal},
        {"localhost:3000", "localhost:3000", kExternal},
        {"9example.com:81/x", "https://9example.com:81/x", kWeb},
        {"sub-1.example.org/\u00E9t\u00E9", "https://sub-1.example.org/\u00E9t\u00E9", kWeb},
    };
    for (const auto& c : cases) {
        const MenuNode expected = bareLink(c.text, c.urlString, c.family);
        EXPECT_EQ((LedgerlyDocument{std::nullopt, {expected}, {}}), parse(std::string("- ") + c.text)) << c.text;
        EXPECT_EQ((LedgerlyDocument{std::nullopt, {expected}, {}}), parse(std::string(" ") + c.text + "\t")) << c.text;
    }
}

TEST(MarkdownParserBareLinks, UnclassifiableTextIsNoLink) {
    for (const char* text : {"localhost", "192.168.0.1", "example.c", "example.com?x=1", "example..com",
                             "9example.com:/x", "9example.com:80x", "1example.com:"}) {
        EXPECT_EQ((LedgerlyDocument{std::nullopt, {inlineSnippet(text)}, {}}), parse(std::string("- ") + text)) << text;
        EXPECT_EQ((LedgerlyDocument{std::nullopt, {}, {warning(1, ParserWarningCode::unsupportedLine, text)}}),
                  parse(text))
            << text;
    }
}

TEST(MarkdownParserBareLinks, DestinationKeepsItsOwnTitle) {
    const auto document = parse("- example.com");
    EXPECT_EQ(bareLink("example.com", "https://example.com"), document.items.at(0));
}

TEST(LinkSyntaxDestinations, PlainEmailOnlyWhenAllowed) {
    const auto allowed = parsing::classifyDestination(TextView::of("user@example.com"), PlainEmail::allowed);
    ASSERT_TRUE(allowed);
    EXPECT_EQ((parsing::ClassifiedDestination{"mailto:user@example.com", kMail}), *allowed);
    EXPECT_FALSE(parsing::classifyDestination(TextView::of("user@example.com"), PlainEmail::refused));
}

// Of the texts that match the e-mail pattern, only those with "scheme://" are URLs.
TEST(LinkSyntaxDestinations, SchemeWithAuthorityIsNeverAPlainEmailAddress) {
    const std::pair<const char*, parsing::ClassifiedDestination> cases[] = {
        {"ssh://admin@box.example.com", {"ssh://admin@box.example.com", kExternal}},
        {"ftp://user@files.example.org/in/", {"ftp://user@files.example.org/in/", kExternal}},
        {"git+ssh://git@code.example.com/x.git", {"git+ssh://git@code.example.com/x.git", kExternal}},
        {"user@example.com", {"mailto:user@example.com", kMail}},
        {"a.b@c.d.e", {"mailto:a.b@c.d.e", kMail}},
        {"x:y@z.example", {"mailto:x:y@z.example", kMail}},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(expected, parsing::classifyDestination(TextView::of(text), PlainEmail::allowed)) << text;
    }
}

TEST(LinkSyntaxDestinations, WhiteSpaceAnywhereRefuses) {
    for (const char* text :
         {"", "https://a b", "example.com\t", "https://example.com/\u00A0x", "https://example.com/\u3000"}) {
        EXPECT_FALSE(parsing::classifyDestination(TextView::of(text), PlainEmail::allowed)) << text;
    }
}

TEST(LinkSyntaxDestinations, SchemePrefixCarryingACombiningMarkIsNotThatScheme) {
    // "http:/" then "/" + U+0301: not "http://", but still a scheme.
    const auto classified = parsing::classifyDestination(TextView::of("http:/\u0301/example.com"), PlainEmail::refused);
    ASSERT_TRUE(classified);
    EXPECT_EQ(kExternal, classified->actionFamily);
}

TEST(LinkSyntaxPatterns, EmailPattern) {
    for (const char* text : {"user@example.com", "a.b@c.d.e", "\u00E9@\u00E9.\u00E9", "x@y.z"}) {
        EXPECT_TRUE(parsing::matchesEmailPattern(TextView::of(text))) << text;
    }
    for (const char* text : {"a@b", "a@.c", "a@b.", "@b.c", "a@@b.c", "a@b@c.d", "a b@c.d", "a@b.c\u00A0",
                             "a\u0301 @b.c", "user@example"}) {
        EXPECT_FALSE(parsing::matchesEmailPattern(TextView::of(text))) << text;
    }
}

TEST(LinkSyntaxPatterns, SchemePattern) {
    for (const char* text : {"a:", "tel:1", "x+y.z-w:rest", "A1:"}) {
        EXPECT_TRUE(parsing::matchesSchemePattern(TextView::of(text))) << text;
    }
    for (const char* text : {"", ":", "1a:", "a", "a_b:", "\u00E9:", "a\u00E9:"}) {
        EXPECT_FALSE(parsing::matchesSchemePattern(TextView::of(text))) << text;
    }
}

TEST(LinkSyntaxPatterns, DomainPatternOpensOverHTTPS) {
    const auto asDomain = [](const std::string& text) {
        return std::optional(parsing::ClassifiedDestination{"https://" + text, kWeb});
    };
    for (const char* text :
         {"example.com", "a.b.cd", "-.com", "9example.com:81", "x-y.example.org/", "a.bc/\u00E9?q#f"}) {
        EXPECT_EQ(asDomain(text), parsing::classifyDestination(TextView::of(text), PlainEmail::refused)) << text;
    }
    for (const char* text : {"example", "example.c", "example.c0m", ".example.com", "example.com.", "a..bc",
                             "example.com:", "example.com/ x", "ex_ample.com", "example.com#x", "a.bc/x\u0301 "}) {
        EXPECT_NE(asDomain(text), parsing::classifyDestination(TextView::of(text), PlainEmail::refused)) << text;
    }
}

TEST(LinkSyntaxEmphasis, UnwrapsOnlyTheOuterMarkers) {
    const auto priority = parsing::unwrapLinkEmphasis(TextView::of("** x **"));
    EXPECT_EQ("x", priority.text.text);
    EXPECT_EQ(LinkEmphasis::priority, priority.emphasis);
    const auto soft = parsing::unwrapLinkEmphasis(TextView::of("***"));
    EXPECT_EQ("*", soft.text.text);
    EXPECT_EQ(LinkEmphasis::soft, soft.emphasis);
    const auto none = parsing::unwrapLinkEmphasis(TextView::of(" *x"));
    EXPECT_EQ(" *x", none.text.text);
    EXPECT_EQ(LinkEmphasis::none, none.emphasis);
    const auto title = parsing::parseEmphasis(TextView::of("  *Docs*  "));
    EXPECT_EQ("Docs", title.text.text);
    EXPECT_EQ(LinkEmphasis::soft, title.emphasis);
}

}  // namespace
}  // namespace ledgerly::testing
