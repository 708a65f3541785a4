#pragma once

#include <string_view>

// Every message the parser reports, exactly as users see them.
namespace ledgerly::parsing::warnings {

inline constexpr std::string_view kUnclosedFrontMatter = "Skipped unclosed YAML front matter";
inline constexpr std::string_view kUnclosedComment = "Skipped unclosed HTML comment";
inline constexpr std::string_view kEmptyTitle = "Skipped empty title";
inline constexpr std::string_view kUnmatchedCloseMarker = "Empty heading close marker did not match an open submenu";
inline constexpr std::string_view kNestedList = "Nested list items are not supported yet. Use headings for submenus.";
inline constexpr std::string_view kEmptyListItem = "Skipped empty list item";
inline constexpr std::string_view kMalformedLink = "Skipped malformed link";
inline constexpr std::string_view kLinkWithEmptyTitle = "Skipped link with empty title";
inline constexpr std::string_view kLinkWithEmptyURL = "Skipped link with empty URL";
inline constexpr std::string_view kUnsupportedLine = "Skipped unsupported line";

}  // namespace ledgerly::parsing::warnings
