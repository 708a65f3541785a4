#pragma once

#include "LedgerlyCore/Menu/SymbolAvailability.h"

namespace ledgerly {

// Answers yes for every symbol, so each icon uses its first choice: for tools and reports.
class AllSymbolsAvailable final : public SymbolAvailability {
public:
    bool hasSymbol(std::string_view symbolName) const override;
};

}  // namespace ledgerly
