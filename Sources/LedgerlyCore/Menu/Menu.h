#pragma once

#include "LedgerlyCore/Menu/MenuEntry.h"

#include <vector>

namespace ledgerly {

// A built menu or submenu: a plain tree of values that the desktop shell renders.
struct Menu {
    static constexpr double standardMinimumWidth = 250;  // points

    double minimumWidth = standardMinimumWidth;
    std::vector<MenuEntry> entries;

    bool operator==(const Menu&) const = default;
};

}  // namespace ledgerly
