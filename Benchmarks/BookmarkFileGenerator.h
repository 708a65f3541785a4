#pragma once

#include <string>
#include <string_view>

namespace ledgerly::bench {

// The generated bookmark files of the parser benchmark: mostly ASCII (about
// 1% of lines hold non-ASCII words) or mixed (about a fifth), 1 or 16 MB.
enum class BookmarkFileKind { ascii1MB, ascii16MB, mixed1MB, mixed16MB };

// The same text on every call: a fixed pseudo-random sequence per kind.
std::string generateBookmarkFile(BookmarkFileKind kind);

// "ascii-16MB" and the like; false for an unknown name.
bool bookmarkFileKindNamed(std::string_view name, BookmarkFileKind& kind);

}  // namespace ledgerly::bench
