#include "LedgerlyCore/Menu/AllSymbolsAvailable.h"

namespace ledgerly {

bool AllSymbolsAvailable::hasSymbol(std::string_view) const { return true; }

}  // namespace ledgerly
