#pragma once

#include "LedgerlyCore/Menu/InertMenuActionHandler.h"
#include "LedgerlyCore/Menu/Menu.h"
#include "LedgerlyCore/Menu/SymbolAvailability.h"
#include "LedgerlyCore/Models/BookmarkModel.h"

#include <filesystem>
#include <set>
#include <string>
#include <string_view>

namespace ledgerly::testing {

// Every symbol is there except the ones named.
class SymbolsWithout final : public SymbolAvailability {
public:
    explicit SymbolsWithout(std::set<std::string, std::less<>> missing) : missing_(std::move(missing)) {}
    bool hasSymbol(std::string_view symbolName) const override { return !missing_.contains(symbolName); }

private:
    std::set<std::string, std::less<>> missing_;
};

// Entry builders in the shape the menu builder produces, for whole-tree comparisons.
MenuEntry actionEntry(std::string title, MenuAction action, std::string keyEquivalent = "");
MenuEntry disabledEntry(std::string title);
MenuEntry submenuEntry(std::string title, Menu submenu);
MenuIcon symbolIcon(std::string symbol, std::string description, std::optional<std::string> imageName);
MenuIcon blankIcon(std::string imageName);

MenuNode linkNode(std::string title, std::string urlString, LinkActionFamily family = LinkActionFamily::web,
                  LinkEmphasis emphasis = LinkEmphasis::none);
MenuNode inlineSnippetNode(std::string text);
MenuNode labeledSnippetNode(std::string label, std::string body);
MenuNode submenuNode(std::string title, std::vector<MenuNode> items);
MenuNode sectionLabelNode(std::string text);
MenuNode dividerNode();

// `count` characters "a", "b", ... cycling through the alphabet.
std::string letters(std::size_t count);

}  // namespace ledgerly::testing
