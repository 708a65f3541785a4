#pragma once

#include "LedgerlyCore/Models/BookmarkModel.h"

#include <string_view>

namespace ledgerly {

// Turns the text of a bookmark file into a document. Lines it cannot use are
// skipped and reported as warnings; parsing never fails. Holds no state, so
// one parser may parse any number of texts, on any thread.
class MarkdownParser {
public:
    MarkdownParser() = default;

    // The document of `text` (UTF-8, the file's whole content).
    LedgerlyDocument parse(std::string_view text) const;
};

}  // namespace ledgerly
