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

MenuLevelCut cutMenuLevel(const Menu& menu, MenuLevelKind kind, std::size_t maximumDrawnEntries) {
    const auto& entries = menu.entries;
    if (entries.size() <= maximumDrawnEntries) {
        return MenuLevelCut{entries.size(), std::nullopt, 0};
    }
    const std::size_t last =
        kind == MenuLevelKind::top ? std::min(MenuLevelCut::topLevelLastEntries, entries.size()) : 0;
    const std::size_t end = entries.size() - last;
    std::size_t drawn = std::min(end, maximumDrawnEntries > last ? maximumDrawnEntries - last : 0);
    while (drawn < end && entries[drawn].isAlternate) {
        ++drawn;
    }
    const auto leftOut = static_cast<std::size_t>(std::count_if(
        entries.begin() + static_cast<std::ptrdiff_t>(drawn), entries.begin() + static_cast<std::ptrdiff_t>(end),
        [](const MenuEntry& entry) { return !entry.isAlternate && entry.kind != MenuEntryKind::separator; }));
    if (leftOut == 0) {
        return MenuLevelCut{drawn, std::nullopt, last};  // only separators are left out: nothing to see is missing
    }
    return MenuLevelCut{drawn,
                        withThousandsSeparators(leftOut) + (leftOut == 1 ? " more entry" : " more entries") +
                            " not shown: ledgerly-check --menu lists them all",
                        last};
}

}  // namespace ledgerly
