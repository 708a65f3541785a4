#include "MenuTestSupport.h"

#include <stdlib.h>
#include <fstream>
#include <memory>
#include <stdexcept>

namespace ledgerly::testing {

ScratchFolder::ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "ledgerly-menu-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a scratch folder");
    }
    path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path ScratchFolder::makeFile(const std::string& name) const {
    const auto file = path_ / name;
    std::ofstream(file) << "";
    return file;
}

std::filesystem::path ScratchFolder::makeFolder(const std::string& name) const {
    const auto folder = path_ / name;
    std::filesystem::create_directories(folder);
    return folder;
}

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
