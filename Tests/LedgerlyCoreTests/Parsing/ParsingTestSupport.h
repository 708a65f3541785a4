#pragma once

#include "LedgerlyCore/Models/BookmarkModel.h"
#include "LedgerlyCore/Parsing/MarkdownParser.h"

#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// Builders that keep expected documents short and readable.
namespace ledgerly::testing {

inline LedgerlyDocument parse(std::string_view text) { return MarkdownParser().parse(text); }

inline std::string joinLines(std::initializer_list<std::string_view> lines, std::string_view separator = "\n") {
    std::string joined;
    bool first = true;
    for (const auto line : lines) {
        if (!first) {
            joined += separator;
        }
        joined += line;
        first = false;
    }
    return joined;
}

inline MenuNode namedLink(std::string title, std::string url, LinkEmphasis emphasis = LinkEmphasis::none,
                          LinkActionFamily family = LinkActionFamily::web) {
    return MenuNode{BookmarkLink{std::move(title), std::move(url), emphasis, LinkSource::named, family}};
}

inline MenuNode bareLink(std::string title, std::string url, LinkActionFamily family = LinkActionFamily::web) {
    return MenuNode{BookmarkLink{std::move(title), std::move(url), LinkEmphasis::none, LinkSource::bare, family}};
}

inline MenuNode inlineSnippet(std::string text, SnippetKind kind = SnippetKind::text) {
    return MenuNode{BookmarkSnippet::makeInline(std::move(text), kind)};
}

inline MenuNode labeledSnippet(std::string label, std::string body) {
    return MenuNode{BookmarkSnippet::makeLabeled(std::move(label), std::move(body))};
}

inline MenuNode submenu(std::string title, std::vector<MenuNode> items = {}) {
    return MenuNode{BookmarkSubmenu{std::move(title), std::move(items)}};
}

inline MenuNode sectionLabel(std::string text) { return MenuNode{SectionLabel{std::move(text)}}; }

inline MenuNode divider() { return MenuNode{Divider{}}; }

inline ParserWarning warning(std::int64_t line, ParserWarningCode code, std::optional<std::string> excerpt) {
    return ParserWarning::make(line, code, std::move(excerpt));
}

}  // namespace ledgerly::testing

namespace ledgerly {

// Readable failure messages for the model's values.
inline void PrintTo(const MenuNode& node, std::ostream* out);

inline void PrintTo(const ParserWarning& warning, std::ostream* out) {
    *out << "warning(" << warning.line << ", " << static_cast<int>(warning.code) << ", \"" << warning.message << "\", "
         << (warning.sourceExcerpt ? "\"" + *warning.sourceExcerpt + "\"" : std::string("none")) << ")";
}

inline void PrintTo(const MenuNode& node, std::ostream* out) {
    if (const auto* link = std::get_if<BookmarkLink>(&node.value)) {
        *out << "link(\"" << link->title << "\", \"" << link->urlString << "\", emphasis "
             << static_cast<int>(link->emphasis) << ", source " << static_cast<int>(link->source) << ", family "
             << static_cast<int>(link->actionFamily) << ")";
    } else if (const auto* snippet = std::get_if<BookmarkSnippet>(&node.value)) {
        if (const auto* inlineValue = std::get_if<BookmarkSnippet::Inline>(&snippet->value)) {
            *out << "inline(\"" << inlineValue->text << "\", kind " << static_cast<int>(inlineValue->kind) << ")";
        } else {
            const auto& labeled = std::get<BookmarkSnippet::Labeled>(snippet->value);
            *out << "labeled(\"" << labeled.label << "\", \"" << labeled.body << "\")";
        }
    } else if (const auto* submenu = std::get_if<BookmarkSubmenu>(&node.value)) {
        *out << "submenu(\"" << submenu->title << "\", {";
        for (const auto& item : submenu->items) {
            PrintTo(item, out);
            *out << "; ";
        }
        *out << "})";
    } else if (const auto* label = std::get_if<SectionLabel>(&node.value)) {
        *out << "label(\"" << label->text << "\")";
    } else {
        *out << "divider";
    }
}

inline void PrintTo(const LedgerlyDocument& document, std::ostream* out) {
    *out << "document(title " << (document.title ? "\"" + *document.title + "\"" : std::string("none")) << ", items {";
    for (const auto& item : document.items) {
        PrintTo(item, out);
        *out << "; ";
    }
    *out << "}, warnings {";
    for (const auto& warning : document.warnings) {
        PrintTo(warning, out);
        *out << "; ";
    }
    *out << "})";
}

}  // namespace ledgerly
