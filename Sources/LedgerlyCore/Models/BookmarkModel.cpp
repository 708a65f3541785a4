#include "LedgerlyCore/Models/BookmarkModel.h"

#include "LedgerlyCore/Text/URLText.h"
#include "LedgerlyCore/Text/UnicodeText.h"
#include "LedgerlyCore/Text/UriReference.h"

#include <utility>

namespace ledgerly {

ParserWarning ParserWarning::make(std::int64_t line, ParserWarningCode code, std::optional<std::string> sourceExcerpt) {
    return ParserWarning{line, code, std::string(warningMessage(code)), std::move(sourceExcerpt)};
}

std::string ParserWarning::clipboardText() const {
    std::string text = "Ledgerly warning\nLine " + std::to_string(line) + ": " + message;
    if (sourceExcerpt) {
        text += "\nSource: " + *sourceExcerpt;
    }
    return text;
}

std::string BookmarkLink::alternateCopyPayload() const {
    if (actionFamily == LinkActionFamily::mailCompose) {
        if (auto address = simpleMailtoAddress()) {
            return *address;
        }
    }
    return urlString;
}

std::optional<std::string> BookmarkLink::simpleMailtoAddress() const {
    if (!text::lowercased(urlString).starts_with("mailto:")) {
        return std::nullopt;
    }
    // Parsed as it is opened: "mailto:José@example.com" gives the address as written.
    const auto uri = text::parsedURL(urlString);
    if (!uri || uri->hasQuery) {
        return std::nullopt;
    }
    // The path is decoded twice so that an address escaped twice ("%2540") reads plainly.
    const auto once = text::percentDecoded(uri->path);
    if (!once) {
        return std::nullopt;
    }
    auto twice = text::percentDecoded(*once);
    if (!twice || twice->empty()) {
        return std::nullopt;
    }
    return twice;
}

BookmarkSnippet BookmarkSnippet::makeInline(std::string text, SnippetKind kind) {
    return BookmarkSnippet{Inline{std::move(text), kind}};
}

BookmarkSnippet BookmarkSnippet::makeLabeled(std::string label, std::string body) {
    return BookmarkSnippet{Labeled{std::move(label), std::move(body)}};
}

const std::string& BookmarkSnippet::displayTitle() const {
    if (const auto* inlineSnippet = std::get_if<Inline>(&value)) {
        return inlineSnippet->text;
    }
    return std::get<Labeled>(value).label;
}

const std::string& BookmarkSnippet::copyPayload() const {
    if (const auto* inlineSnippet = std::get_if<Inline>(&value)) {
        return inlineSnippet->text;
    }
    return std::get<Labeled>(value).body;
}

bool BookmarkSnippet::usesLabeledIcon() const { return std::holds_alternative<Labeled>(value); }

bool BookmarkSubmenu::operator==(const BookmarkSubmenu& other) const {
    return title == other.title && items == other.items;
}

}  // namespace ledgerly
