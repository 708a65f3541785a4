#pragma once

#include "LedgerlyCore/Menu/Menu.h"

#include <cstddef>
#include <optional>
#include <string>

namespace ledgerly {

// How much of one menu level a desktop draws. A level too long to draw in
// about half a second shows its first entries, then one disabled entry that
// says how many are left out and where to see them; the menu tree itself
// stays whole. Every way of showing the menu (our own menus, a menu exported
// to the panel) draws the same cut.
struct MenuLevelCut {
    // Entries drawn from the start of a level, alternates counted.
    static constexpr std::size_t maximumDrawnEntries = 2000;

    std::size_t drawnEntries = 0;  // the first entries of the level to draw
    // The title of the disabled entry after them; none when the whole level is drawn.
    std::optional<std::string> moreEntriesTitle;

    bool operator==(const MenuLevelCut&) const = default;
};

// The cut of `menu`'s own entries (its submenus are cut when they are drawn).
// A cut never separates an entry from the alternates that follow it, and the
// left-out count names the entries a user would see, alternates not counted.
MenuLevelCut cutMenuLevel(const Menu& menu, std::size_t maximumDrawnEntries = MenuLevelCut::maximumDrawnEntries);

}  // namespace ledgerly
