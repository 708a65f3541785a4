#pragma once

#include <string_view>

namespace ledgerly {

// Which named system symbols the desktop can draw; icons fall back when one is missing.
class SymbolAvailability {
public:
    SymbolAvailability() = default;
    SymbolAvailability(const SymbolAvailability&) = delete;
    SymbolAvailability& operator=(const SymbolAvailability&) = delete;
    virtual ~SymbolAvailability() = default;

    // Whether the symbol called `symbolName` (e.g. "globe") can be drawn.
    virtual bool hasSymbol(std::string_view symbolName) const = 0;
};

}  // namespace ledgerly
