#include "MenuTestSupport.h"

#include <memory>

namespace ledgerly::testing {

MenuEntry actionEntry(std::string title, MenuAction action, std::string keyEquivalent) {
    MenuEntry entry = MenuEntry::item(std::move(title));
    entry.action = action;
    entry.hasTarget = true;
    entry.keyEquivalent = std::move(keyEquivalent);
    return entry;
}

MenuEntry disabledEntry(std::string title) {
    MenuEntry entry = MenuEntry::item(std::move(title));
    entry.enabled = false;
    return entry;
}

MenuEntry submenuEntry(std::string title, Menu submenu) {
    MenuEntry entry = MenuEntry::item(std::move(title));
    entry.submenu = std::make_shared<const Menu>(std::move(submenu));
    return entry;
}

MenuIcon symbolIcon(std::string symbol, std::string description, std::optional<std::string> imageName) {
    MenuIcon icon;
    icon.symbolName = std::move(symbol);
    icon.accessibilityDescription = std::move(description);
    icon.imageName = std::move(imageName);
    return icon;
}

MenuIcon blankIcon(std::string imageName) {
    MenuIcon icon;
    icon.imageName = std::move(imageName);
    return icon;
}

MenuNode linkNode(std::string title, std::string urlString, LinkActionFamily family, LinkEmphasis emphasis) {
    return MenuNode{BookmarkLink{std::move(title), std::move(urlString), emphasis, LinkSource::named, family}};
}

MenuNode inlineSnippetNode(std::string text) {
    return MenuNode{BookmarkSnippet::makeInline(std::move(text), SnippetKind::text)};
}

MenuNode labeledSnippetNode(std::string label, std::string body) {
    return MenuNode{BookmarkSnippet::makeLabeled(std::move(label), std::move(body))};
}

MenuNode submenuNode(std::string title, std::vector<MenuNode> items) {
    return MenuNode{BookmarkSubmenu{std::move(title), std::move(items)}};
}

MenuNode sectionLabelNode(std::string text) { return MenuNode{SectionLabel{std::move(text)}}; }

MenuNode dividerNode() { return MenuNode{Divider{}}; }

std::string letters(std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += static_cast<char>('a' + i % 26);
    }
    return text;
}

}  // namespace ledgerly::testing
