#pragma once

#include "LedgerlyCore/Models/BookmarkModel.h"

#include <cstdint>
#include <vector>

namespace ledgerly {

// How many characters the titles of one menu level may take.
struct MenuDisplayBudget {
    static constexpr std::int64_t topLevelTitleMaximumCharacters = 56;
    static constexpr std::int64_t nestedTitleMaximumCharacters = 70;
    static constexpr std::int64_t alternateTitleMinimumCharacters = 32;

    std::int64_t titleMaximumCharacters = topLevelTitleMaximumCharacters;
    // Follows the widest shortened title of the level, so that an alternate
    // entry is about as wide as the entries it stands among.
    std::int64_t alternateTitleMaximumCharacters = alternateTitleMinimumCharacters;

    bool operator==(const MenuDisplayBudget&) const = default;
};

// The budget of the level holding `nodes`, whose primary titles may take `titleMaximumCharacters`.
MenuDisplayBudget makeDisplayBudget(const std::vector<MenuNode>& nodes, std::int64_t titleMaximumCharacters);

}  // namespace ledgerly
