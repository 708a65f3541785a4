#include "LedgerlyCore/Menu/MenuLevelCut.h"

#include <algorithm>

namespace ledgerly {
namespace {

// 1234567 as "1,234,567".
std::string withThousandsSeparators(std::size_t number) {
    std::string digits = std::to_string(number);
    for (auto position = static_cast<std::ptrdiff_t>(digits.size()) - 3; position > 0; position -= 3) {
        digits.insert(static_cast<std::size_t>(position), 1, ',');
    }
    return digits;
}

}  // namespace

MenuLevelCut cutMenuLevel(const Menu& menu, std::size_t maximumDrawnEntries) {
    const auto& entries = menu.entries;
    if (entries.size() <= maximumDrawnEntries) {
        return MenuLevelCut{entries.size(), std::nullopt};
    }
    std::size_t drawn = maximumDrawnEntries;
    while (drawn < entries.size() && entries[drawn].isAlternate) {
        ++drawn;
    }
    const auto leftOut = static_cast<std::size_t>(std::count_if(
        entries.begin() + static_cast<std::ptrdiff_t>(drawn), entries.end(),
        [](const MenuEntry& entry) { return !entry.isAlternate && entry.kind != MenuEntryKind::separator; }));
    if (leftOut == 0) {
        return MenuLevelCut{drawn, std::nullopt};  // only separators are left: nothing to see is missing
    }
    return MenuLevelCut{drawn, withThousandsSeparators(leftOut) + (leftOut == 1 ? " more entry" : " more entries") +
                                   " not shown: ledgerly-check --menu lists them all"};
}

}  // namespace ledgerly
