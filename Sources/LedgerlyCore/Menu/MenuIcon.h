#pragma once

#include <optional>
#include <string>

namespace ledgerly {

// An entry's icon as a description, not pixels: the desktop shell draws it
// from its own icon set. A blank icon (no symbol) still takes an icon's room.
struct MenuIcon {
    static constexpr double standardSize = 13;  // points, both sides

    std::optional<std::string> symbolName;  // the symbol actually used; none for a blank image
    std::optional<std::string> accessibilityDescription;
    std::optional<std::string> imageName;
    bool isTemplate = true;  // drawn in the menu's text colour
    double width = standardSize;
    double height = standardSize;

    bool operator==(const MenuIcon&) const = default;
};

}  // namespace ledgerly
