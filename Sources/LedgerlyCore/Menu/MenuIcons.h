#pragma once

#include "LedgerlyCore/Menu/MenuIcon.h"
#include "LedgerlyCore/Menu/SymbolAvailability.h"
#include "LedgerlyCore/Models/BookmarkModel.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ledgerly {

// The icon of each kind of entry. A missing symbol falls back where a
// fallback exists and otherwise leaves the entry without an image. Asks the
// symbols about each name once: one object serves one menu build.
class MenuIcons {
public:
    // `symbols` must outlive this object.
    explicit MenuIcons(const SymbolAvailability& symbols) : symbols_(symbols) {}

    std::optional<MenuIcon> makeIcon(const BookmarkLink& link) const;
    std::optional<MenuIcon> makeLocalRevealIcon() const;
    std::optional<MenuIcon> makeLocalOpenIcon() const;
    MenuIcon makeLabeledSnippetIcon() const;
    std::optional<MenuIcon> makeBookmarkSubmenuIcon() const;

    // A blank icon that only keeps an icon's room beside the copy entries.
    static MenuIcon makeCopyIcon();

private:
    std::optional<MenuIcon> makeSymbolIcon(std::string_view symbolName, std::string_view description,
                                           std::optional<std::string_view> imageName) const;

    bool hasSymbol(std::string_view symbolName) const;

    const SymbolAvailability& symbols_;
    // The answers so far; a menu uses a handful of names.
    mutable std::vector<std::pair<std::string, bool>> answers_;
};

}  // namespace ledgerly
