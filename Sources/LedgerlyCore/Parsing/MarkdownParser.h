#pragma once

#include "LedgerlyCore/Models/BookmarkModel.h"

#include <cstddef>
#include <string_view>

namespace ledgerly {

// Turns the text of a bookmark file into a document. Lines it cannot use are
// skipped and reported as warnings; parsing never fails. Holds no state, so
// one parser may parse any number of texts, on any thread.
class MarkdownParser {
public:
    // Submenus nest at most this deep; a heading that would open one deeper
    // becomes a sibling of the deepest open one. Every walk of the tree (copy,
    // comparison, destruction, the menu builder, the reports, the desktop
    // menus) recurses once per level, so an unbounded depth overflows the stack.
    static constexpr std::size_t maximumSubmenuDepth = 100;

    // What a parse keeps: the whole document, or its warnings alone (the
    // items and the title are left empty), for a reader that wants no more.
    enum class Keep { wholeDocument, warningsOnly };

    MarkdownParser() = default;

    // The document of `text` (UTF-8, the file's whole content).
    LedgerlyDocument parse(std::string_view text, Keep keep = Keep::wholeDocument) const;
};

}  // namespace ledgerly
