#include "LedgerlyCore/Menu/MenuEntry.h"

#include "LedgerlyCore/Menu/Menu.h"

#include <tuple>

namespace ledgerly {
namespace {

bool sameSubmenu(const std::shared_ptr<const Menu>& left, const std::shared_ptr<const Menu>& right) {
    if (!left || !right) {
        return !left && !right;
    }
    return left == right || *left == *right;
}

}  // namespace

MenuEntry MenuEntry::item(std::string title) {
    MenuEntry entry;
    entry.title = std::move(title);
    return entry;
}

MenuEntry MenuEntry::separator() {
    MenuEntry entry;
    entry.kind = MenuEntryKind::separator;
    entry.enabled = false;
    return entry;
}

MenuEntry MenuEntry::sectionHeader(std::string title) {
    MenuEntry entry;
    entry.kind = MenuEntryKind::sectionHeader;
    entry.title = std::move(title);
    entry.enabled = false;
    return entry;
}

bool MenuEntry::operator==(const MenuEntry& other) const {
    const auto fields = [](const MenuEntry& entry) {
        return std::tie(entry.kind, entry.title, entry.font, entry.subtitle, entry.action, entry.hasTarget,
                        entry.keyEquivalent, entry.keyEquivalentModifierMask, entry.enabled, entry.image,
                        entry.representedObject, entry.isAlternate);
    };
    return fields(*this) == fields(other) && sameSubmenu(submenu, other.submenu);
}

}  // namespace ledgerly
