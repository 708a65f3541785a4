#include "LedgerlyReports/DocumentJson.h"

namespace ledgerly::reports {
namespace {

using json = nlohmann::ordered_json;

const char* emphasisName(LinkEmphasis emphasis) {
    switch (emphasis) {
    case LinkEmphasis::none:
        return "none";
    case LinkEmphasis::soft:
        return "soft";
    case LinkEmphasis::priority:
        return "priority";
    }
    return "none";
}

const char* sourceName(LinkSource source) { return source == LinkSource::named ? "named" : "bare"; }

const char* actionFamilyName(LinkActionFamily family) {
    switch (family) {
    case LinkActionFamily::web:
        return "web";
    case LinkActionFamily::mailCompose:
        return "mailCompose";
    case LinkActionFamily::localAction:
        return "localAction";
    case LinkActionFamily::externalURLScheme:
        return "externalURLScheme";
    }
    return "web";
}

const char* reasonName(FileReadFailureReason reason) {
    switch (reason) {
    case FileReadFailureReason::permissionDenied:
        return "permissionDenied";
    case FileReadFailureReason::invalidUTF8:
        return "invalidUTF8";
    case FileReadFailureReason::unknown:
        return "unknown";
    }
    return "unknown";
}

const char* warningCodeName(ParserWarningCode code) {
    switch (code) {
    case ParserWarningCode::unclosedFrontMatter:
        return "unclosedFrontMatter";
    case ParserWarningCode::unclosedComment:
        return "unclosedComment";
    case ParserWarningCode::emptyTitle:
        return "emptyTitle";
    case ParserWarningCode::unmatchedCloseMarker:
        return "unmatchedCloseMarker";
    case ParserWarningCode::nestedList:
        return "nestedList";
    case ParserWarningCode::emptyListItem:
        return "emptyListItem";
    case ParserWarningCode::malformedLink:
        return "malformedLink";
    case ParserWarningCode::linkWithEmptyTitle:
        return "linkWithEmptyTitle";
    case ParserWarningCode::linkWithEmptyURL:
        return "linkWithEmptyURL";
    case ParserWarningCode::unsupportedLine:
        return "unsupportedLine";
    case ParserWarningCode::unreadableFile:
        return "unreadableFile";
    }
    return "unsupportedLine";
}

json optionalText(const std::optional<std::string>& text) { return text ? json(*text) : json(nullptr); }

json itemsToJson(const std::vector<MenuNode>& items) {
    json array = json::array();
    for (const auto& item : items) {
        array.push_back(menuNodeToJson(item));
    }
    return array;
}

json linkToJson(const BookmarkLink& link) {
    return json{{"type", "link"},
                {"title", link.title},
                {"urlString", link.urlString},
                {"emphasis", emphasisName(link.emphasis)},
                {"source", sourceName(link.source)},
                {"actionFamily", actionFamilyName(link.actionFamily)}};
}

json snippetToJson(const BookmarkSnippet& snippet) {
    if (const auto* inlineSnippet = std::get_if<BookmarkSnippet::Inline>(&snippet.value)) {
        return json{{"type", "snippet"},
                    {"variant", "inline"},
                    {"text", inlineSnippet->text},
                    {"kind", inlineSnippet->kind == SnippetKind::email ? "email" : "text"}};
    }
    const auto& labeled = std::get<BookmarkSnippet::Labeled>(snippet.value);
    return json{{"type", "snippet"}, {"variant", "labeled"}, {"label", labeled.label}, {"body", labeled.body}};
}

}  // namespace

json menuNodeToJson(const MenuNode& node) {
    if (const auto* link = std::get_if<BookmarkLink>(&node.value)) {
        return linkToJson(*link);
    }
    if (const auto* snippet = std::get_if<BookmarkSnippet>(&node.value)) {
        return snippetToJson(*snippet);
    }
    if (const auto* submenu = std::get_if<BookmarkSubmenu>(&node.value)) {
        return json{{"type", "submenu"}, {"title", submenu->title}, {"items", itemsToJson(submenu->items)}};
    }
    if (const auto* label = std::get_if<SectionLabel>(&node.value)) {
        return json{{"type", "sectionLabel"}, {"text", label->text}};
    }
    return json{{"type", "divider"}};
}

json warningToJson(const ParserWarning& warning) {
    return json{{"line", warning.line},
                {"code", warningCodeName(warning.code)},
                {"message", warning.message},
                {"sourceExcerpt", optionalText(warning.sourceExcerpt)}};
}

json documentToJson(const LedgerlyDocument& document) {
    json warnings = json::array();
    for (const auto& warning : document.warnings) {
        warnings.push_back(warningToJson(warning));
    }
    return json{
        {"title", optionalText(document.title)}, {"items", itemsToJson(document.items)}, {"warnings", warnings}};
}

json fileSourceErrorToJson(const FileSourceError& error) {
    if (const auto* unreadable = std::get_if<FileSourceError::UnreadableSelectedFile>(&error.value)) {
        return json{{"case", "unreadableSelectedFile"}, {"reason", reasonName(unreadable->reason)}};
    }
    if (std::holds_alternative<FileSourceError::NoSelectedFile>(error.value)) {
        return json{{"case", "noSelectedFile"}, {"reason", nullptr}};
    }
    return json{{"case", "selectedFileNotFound"}, {"reason", nullptr}};
}

json fileReportToJson(const std::string& file, const std::optional<LedgerlyDocument>& document,
                      const std::optional<FileSourceError>& error) {
    return json{{"file", file},
                {"document", document ? documentToJson(*document) : json(nullptr)},
                {"error", error ? fileSourceErrorToJson(*error) : json(nullptr)}};
}

}  // namespace ledgerly::reports
