#include "LedgerlyCore/Menu/MenuIcons.h"

#include "LedgerlyCore/Menu/LocalFileURL.h"

namespace ledgerly {
namespace {

constexpr std::string_view kRevealDescription = "Reveal local item";
constexpr std::string_view kRevealImageName = "LedgerlyLocalRevealIcon";
constexpr std::string_view kLabeledDescription = "Copy labeled snippet";
constexpr std::string_view kLabeledImageName = "LedgerlyLabeledSnippetIcon";

MenuIcon blankIcon(std::string_view imageName) {
    MenuIcon icon;
    icon.imageName = std::string(imageName);
    return icon;
}

}  // namespace

std::optional<MenuIcon> MenuIcons::makeIcon(const BookmarkLink& link) const {
    switch (link.actionFamily) {
    case LinkActionFamily::web:
        return makeSymbolIcon("globe", "Open web link", "LedgerlyWebLinkIcon");
    case LinkActionFamily::mailCompose:
        return makeSymbolIcon("envelope", "Compose email", "LedgerlyMailComposeIcon");
    case LinkActionFamily::externalURLScheme:
        return makeSymbolIcon("arrow.up.forward.app", "Open URL scheme", "LedgerlyExternalURLSchemeIcon");
    case LinkActionFamily::localAction:
        return isDirectoryFileURL(link.urlString) ? makeLocalRevealIcon() : makeLocalOpenIcon();
    }
    return std::nullopt;
}

std::optional<MenuIcon> MenuIcons::makeLocalRevealIcon() const {
    if (auto icon = makeSymbolIcon("arrow.forward.folder", kRevealDescription, kRevealImageName)) {
        return icon;
    }
    return makeSymbolIcon("folder", kRevealDescription, kRevealImageName);
}

std::optional<MenuIcon> MenuIcons::makeLocalOpenIcon() const {
    return makeSymbolIcon("document", "Open local item", "LedgerlyLocalOpenIcon");
}

MenuIcon MenuIcons::makeLabeledSnippetIcon() const {
    if (auto icon = makeSymbolIcon("text.quote", kLabeledDescription, kLabeledImageName)) {
        return *icon;
    }
    if (auto icon = makeSymbolIcon("text.bubble", kLabeledDescription, kLabeledImageName)) {
        return *icon;
    }
    return blankIcon(kLabeledImageName);
}

std::optional<MenuIcon> MenuIcons::makeBookmarkSubmenuIcon() const {
    return makeSymbolIcon("folder", "Bookmark folder", std::nullopt);
}

bool MenuIcons::hasSymbol(std::string_view symbolName) const {
    for (const auto& [name, available] : answers_) {
        if (name == symbolName) {
            return available;
        }
    }
    const bool available = symbols_.hasSymbol(symbolName);
    answers_.emplace_back(symbolName, available);
    return available;
}

MenuIcon MenuIcons::makeCopyIcon() { return blankIcon("LedgerlyCopySnippetIcon"); }

std::optional<MenuIcon> MenuIcons::makeSymbolIcon(std::string_view symbolName, std::string_view description,
                                                  std::optional<std::string_view> imageName) const {
    if (!hasSymbol(symbolName)) {
        return std::nullopt;
    }
    MenuIcon icon;
    icon.symbolName = std::string(symbolName);
    icon.accessibilityDescription = std::string(description);
    if (imageName) {
        icon.imageName = std::string(*imageName);
    }
    return icon;
}

}  // namespace ledgerly
