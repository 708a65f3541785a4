#pragma once

#include "LedgerlyCore/Menu/MenuAction.h"
#include "LedgerlyCore/Menu/MenuIcon.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace ledgerly {

struct Menu;

enum class MenuEntryKind { item, separator, sectionHeader };

// The font of an attributed title, set over the whole title; none means a plain title.
enum class MenuFont { none, italic, bold };

// One entry of a built menu. Include "LedgerlyCore/Menu/Menu.h" to look into a submenu.
struct MenuEntry {
    // Raw modifier bits, as the keyboard layer stores them.
    static constexpr std::uint64_t noModifierMask = 0;
    static constexpr std::uint64_t optionModifierMask = 0x80000;
    static constexpr std::uint64_t commandModifierMask = 0x100000;

    MenuEntryKind kind = MenuEntryKind::item;
    std::string title;
    MenuFont font = MenuFont::none;
    std::optional<std::string> subtitle;
    std::optional<MenuAction> action;
    bool hasTarget = false;  // whether the action handler was alive when the entry was built
    std::string keyEquivalent;
    std::uint64_t keyEquivalentModifierMask = commandModifierMask;
    bool enabled = true;
    std::optional<MenuIcon> image;
    std::optional<std::string> representedObject;  // what the action needs: a URL, the text to copy
    bool isAlternate = false;                      // replaces the entry before it while its modifier is held
    // Built menus are never edited, so copies may share one immutable submenu.
    std::shared_ptr<const Menu> submenu;

    static MenuEntry item(std::string title);
    static MenuEntry separator();
    static MenuEntry sectionHeader(std::string title);

    // Submenus compare by value, not by identity.
    bool operator==(const MenuEntry& other) const;
};

}  // namespace ledgerly
