#pragma once

#include "LedgerlyCore/Models/ParserWarningCode.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// The value types of one parsed bookmark file. A document is a plain tree of
// values: the parser builds it, the menu reads it, nothing edits it.
namespace ledgerly {

enum class LinkSource { named, bare };

enum class LinkActionFamily { web, mailCompose, localAction, externalURLScheme };

enum class LinkEmphasis { none, soft, priority };

enum class SnippetKind { text, email };

struct ParserWarning {
    std::int64_t line = 0;
    ParserWarningCode code = ParserWarningCode::unsupportedLine;
    std::string message;
    std::optional<std::string> sourceExcerpt;

    // A warning with the message of its code.
    static ParserWarning make(std::int64_t line, ParserWarningCode code, std::optional<std::string> sourceExcerpt);

    // "Ledgerly warning", "Line N: message" and, with an excerpt, "Source: excerpt".
    std::string clipboardText() const;

    bool operator==(const ParserWarning&) const = default;
};

struct BookmarkLink {
    std::string title;
    std::string urlString;
    LinkEmphasis emphasis = LinkEmphasis::none;
    LinkSource source = LinkSource::named;
    LinkActionFamily actionFamily = LinkActionFamily::web;

    // What the link's alternate "copy" entry copies: the bare address of a
    // simple mail link, otherwise the URL text.
    std::string alternateCopyPayload() const;

    bool operator==(const BookmarkLink&) const = default;

private:
    std::optional<std::string> simpleMailtoAddress() const;
};

struct BookmarkSnippet {
    struct Inline {
        std::string text;
        SnippetKind kind = SnippetKind::text;
        bool operator==(const Inline&) const = default;
    };
    struct Labeled {
        std::string label;
        std::string body;  // may hold line feeds
        bool operator==(const Labeled&) const = default;
    };

    std::variant<Inline, Labeled> value;

    static BookmarkSnippet makeInline(std::string text, SnippetKind kind);
    static BookmarkSnippet makeLabeled(std::string label, std::string body);

    const std::string& displayTitle() const;
    const std::string& copyPayload() const;
    bool usesLabeledIcon() const;

    bool operator==(const BookmarkSnippet&) const = default;
};

struct MenuNode;

struct BookmarkSubmenu {
    std::string title;
    std::vector<MenuNode> items;

    bool operator==(const BookmarkSubmenu& other) const;
};

struct SectionLabel {
    std::string text;
    bool operator==(const SectionLabel&) const = default;
};

struct Divider {
    bool operator==(const Divider&) const = default;
};

// One entry of the tree; submenus nest through BookmarkSubmenu::items.
struct MenuNode {
    std::variant<BookmarkLink, BookmarkSnippet, BookmarkSubmenu, SectionLabel, Divider> value;

    bool operator==(const MenuNode&) const = default;
};

struct LedgerlyDocument {
    std::optional<std::string> title;
    std::vector<MenuNode> items;
    std::vector<ParserWarning> warnings;

    bool operator==(const LedgerlyDocument&) const = default;
};

}  // namespace ledgerly
