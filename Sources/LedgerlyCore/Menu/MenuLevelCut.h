#pragma once

#include "LedgerlyCore/Menu/Menu.h"

#include <cstddef>
#include <optional>
#include <string>

namespace ledgerly {

// Which level of the status menu is drawn: the top one ends in a separator
// and the "Ledgerly" submenu, which a cut must never hide.
enum class MenuLevelKind { top, submenu };

// How much of one menu level a desktop draws. A level too long to draw in
// about half a second shows its first entries, then one disabled entry that
// says how many are left out and where to see them, then (at the top level)
// its last two entries; the menu tree itself stays whole. Every way of
// showing the menu (our own menus, a menu exported to the panel) draws the
// same cut.
struct MenuLevelCut {
    // Entries drawn of one level, alternates counted.
    static constexpr std::size_t maximumDrawnEntries = 3500;
    // The separator and "Ledgerly" that end the top level.
    static constexpr std::size_t topLevelLastEntries = 2;

    std::size_t drawnEntries = 0;  // the first entries of the level to draw
    // The title of the disabled entry after them; none when nothing is left out.
    std::optional<std::string> moreEntriesTitle;
    std::size_t drawnLastEntries = 0;  // the entries at the end of the level drawn after that entry

    bool operator==(const MenuLevelCut&) const = default;
};

// The cut of `menu`'s own entries (its submenus are cut when they are drawn).
// A cut never separates an entry from the alternates that follow it, and the
// left-out count names the entries a user would see, alternates not counted.
MenuLevelCut cutMenuLevel(const Menu& menu, MenuLevelKind kind,
                          std::size_t maximumDrawnEntries = MenuLevelCut::maximumDrawnEntries);

}  // namespace ledgerly
