#pragma once

#include <string_view>

namespace ledgerly {

// What a warning is about, as a name that stays when its message is reworded,
// so that editors and scripts need not match English text.
enum class ParserWarningCode {
    unclosedFrontMatter,
    unclosedComment,
    emptyTitle,
    unmatchedCloseMarker,
    nestedList,
    emptyListItem,
    malformedLink,
    linkWithEmptyTitle,
    linkWithEmptyURL,
    unsupportedLine,
    // Not from the parser: the menu lists a file it could not read among the warnings too.
    unreadableFile,
};

// The message of each warning, exactly as users see it.
constexpr std::string_view warningMessage(ParserWarningCode code) {
    switch (code) {
    case ParserWarningCode::unclosedFrontMatter:
        return "Skipped unclosed YAML front matter";
    case ParserWarningCode::unclosedComment:
        return "Skipped unclosed HTML comment";
    case ParserWarningCode::emptyTitle:
        return "Skipped empty title";
    case ParserWarningCode::unmatchedCloseMarker:
        return "Empty heading close marker did not match an open submenu";
    case ParserWarningCode::nestedList:
        return "Nested list items are not supported yet. Use headings for submenus.";
    case ParserWarningCode::emptyListItem:
        return "Skipped empty list item";
    case ParserWarningCode::malformedLink:
        return "Skipped malformed link";
    case ParserWarningCode::linkWithEmptyTitle:
        return "Skipped link with empty title";
    case ParserWarningCode::linkWithEmptyURL:
        return "Skipped link with empty URL";
    case ParserWarningCode::unsupportedLine:
        return "Skipped unsupported line";
    case ParserWarningCode::unreadableFile:
        return "Could not read selected file";
    }
    return "Skipped unsupported line";
}

}  // namespace ledgerly
