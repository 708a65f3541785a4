#pragma once

#include "LedgerlyCore/Models/BookmarkModel.h"

#include <string>

namespace ledgerly::reports {

// A document as an indented tree for people: the title, every entry with
// what it opens or copies, then the warnings with their excerpts.
std::string documentTree(const LedgerlyDocument& document);

}  // namespace ledgerly::reports
