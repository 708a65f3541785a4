#pragma once

#include "FuzzSupport.h"

#include "LedgerlyCore/Models/BookmarkModel.h"
#include "LedgerlyCore/Parsing/LineSplitter.h"
#include "LedgerlyCore/Text/TextView.h"
#include "LedgerlyCore/Text/UnicodeText.h"

#include <cstdint>
#include <string_view>
#include <vector>

// What every parsed document must satisfy, whatever the text was. The checks
// that count characters or find white space hold for UTF-8 text only, the
// only text the application parses (the file source refuses the rest); on
// other bytes only the structure is checked.
namespace ledgerly::fuzz {

inline std::int64_t lineCount(std::string_view text) {
    parsing::LineSplitter lines(text);
    parsing::Line line;
    std::int64_t count = 0;
    while (lines.next(line)) {
        ++count;
    }
    return count;
}

inline bool holdsLineBreak(std::string_view text) {
    std::size_t offset = 0;
    while (offset < text.size()) {
        std::size_t length = 0;
        if (text::isLineBreakCodePoint(text::decodeCodePoint(text, offset, &length))) {
            return true;
        }
        offset += length == 0 ? 1 : length;
    }
    return false;
}

inline void checkWarnings(const LedgerlyDocument& document, std::int64_t lines, bool utf8) {
    std::int64_t previousLine = 1;
    for (const ParserWarning& warning : document.warnings) {
        check(warning.line >= 1 && warning.line <= lines, "warning line within 1..line count");
        check(warning.line >= previousLine, "warnings in line order");
        previousLine = warning.line;
        check(warning.code != ParserWarningCode::unreadableFile, "the parser reads no file");
        check(warning.message == warningMessage(warning.code), "a warning's message is its code's text");
        if (warning.sourceExcerpt) {
            const std::string& excerpt = *warning.sourceExcerpt;
            check(!excerpt.empty(), "excerpt is never empty");
            check(!utf8 || text::characterCount(excerpt) <= 100, "excerpt has at most 100 characters");
            check(!utf8 || !holdsLineBreak(excerpt), "excerpt holds no line break");
        }
    }
}

inline bool startsWithIgnoringCase(std::string_view text, std::string_view lowerPrefix) {
    return text::lowercased(text.substr(0, lowerPrefix.size())) == lowerPrefix;
}

inline void checkLink(const BookmarkLink& link, bool utf8) {
    check(!link.title.empty(), "a parsed link has a title");
    check(!link.urlString.empty(), "a parsed link has a URL");
    if (utf8) {
        check(!text::TextView::of(link.urlString).containsWhiteSpace(), "a URL holds no white space");
        check(!holdsLineBreak(link.title) && !holdsLineBreak(link.urlString), "a link holds no line break");
    }
    switch (link.actionFamily) {
    case LinkActionFamily::web:
        check(startsWithIgnoringCase(link.urlString, "http://") || startsWithIgnoringCase(link.urlString, "https://"),
              "a web link's URL begins with http:// or https://");
        break;
    case LinkActionFamily::mailCompose:
        check(startsWithIgnoringCase(link.urlString, "mailto:"), "a mail link's URL begins with mailto:");
        break;
    case LinkActionFamily::localAction:
        check(startsWithIgnoringCase(link.urlString, "file://"), "a local link's URL begins with file://");
        break;
    case LinkActionFamily::externalURLScheme:
        break;
    }
}

inline void checkSnippet(const BookmarkSnippet& snippet, bool utf8) {
    check(!snippet.displayTitle().empty(), "a snippet has a title");
    if (!utf8) {
        return;
    }
    check(!holdsLineBreak(snippet.displayTitle()), "a snippet's title holds no line break");
    check(text::TextView::of(snippet.displayTitle()).trimmed().size() == snippet.displayTitle().size(),
          "a snippet's title is trimmed");
    check(!text::TextView::of(snippet.copyPayload()).trimmed().empty(), "a snippet copies something");
}

// Walks the tree without recursion (fuzz inputs may nest deeply); returns the number of nodes.
inline std::size_t checkNodes(const std::vector<MenuNode>& items, bool utf8) {
    std::vector<const std::vector<MenuNode>*> levels{&items};
    std::size_t nodes = 0;
    while (!levels.empty()) {
        const auto* level = levels.back();
        levels.pop_back();
        for (const MenuNode& node : *level) {
            ++nodes;
            if (const auto* link = std::get_if<BookmarkLink>(&node.value)) {
                checkLink(*link, utf8);
            } else if (const auto* snippet = std::get_if<BookmarkSnippet>(&node.value)) {
                checkSnippet(*snippet, utf8);
            } else if (const auto* submenu = std::get_if<BookmarkSubmenu>(&node.value)) {
                check(!submenu->title.empty(), "a submenu has a title");
                levels.push_back(&submenu->items);
            } else if (const auto* label = std::get_if<SectionLabel>(&node.value)) {
                check(!label->text.empty(), "a section label has a text");
            }
        }
    }
    return nodes;
}

inline void checkDocument(const LedgerlyDocument& document, std::string_view text) {
    const std::int64_t lines = lineCount(text);
    const bool utf8 = text::isValidUTF8(text);
    checkWarnings(document, lines, utf8);
    if (document.title) {
        check(!document.title->empty(), "a document title is never empty");
    }
    const std::size_t nodes = checkNodes(document.items, utf8);
    // Every line gives at most one entry or one warning.
    check(static_cast<std::int64_t>(nodes + document.warnings.size()) <= lines, "at most one result per line");
}

}  // namespace ledgerly::fuzz
