#include "LedgerlyCore/Menu/MenuDisplayBudget.h"

#include "LedgerlyCore/Menu/TitleShortening.h"
#include "LedgerlyCore/Text/UnicodeText.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace ledgerly {
namespace {

struct NodeTitle {
    std::optional<std::string_view> operator()(const BookmarkLink& link) const { return link.title; }
    std::optional<std::string_view> operator()(const BookmarkSnippet& snippet) const { return snippet.displayTitle(); }
    std::optional<std::string_view> operator()(const BookmarkSubmenu& submenu) const { return submenu.title; }
    std::optional<std::string_view> operator()(const SectionLabel& label) const { return label.text; }
    std::optional<std::string_view> operator()(const Divider&) const { return std::nullopt; }
};

}  // namespace

MenuDisplayBudget makeDisplayBudget(const std::vector<MenuNode>& nodes, std::int64_t titleMaximumCharacters) {
    std::optional<std::int64_t> widest;
    for (const MenuNode& node : nodes) {
        const auto title = std::visit(NodeTitle{}, node.value);
        if (!title) {
            continue;
        }
        // Counted after shortening: a cut may merge a combining mark into the ellipsis.
        const auto length =
            static_cast<std::int64_t>(text::characterCount(makeDisplayTitle(*title, titleMaximumCharacters)));
        widest = std::max(widest.value_or(length), length);
    }
    const std::int64_t alternate = std::max(widest.value_or(MenuDisplayBudget::alternateTitleMinimumCharacters),
                                            MenuDisplayBudget::alternateTitleMinimumCharacters);
    return MenuDisplayBudget{titleMaximumCharacters, std::min(alternate, titleMaximumCharacters)};
}

}  // namespace ledgerly
