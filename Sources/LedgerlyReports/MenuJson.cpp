#include "LedgerlyReports/MenuJson.h"

#include <cmath>
#include <cstdint>

namespace ledgerly::reports {
namespace {

using json = nlohmann::ordered_json;

json optionalText(const std::optional<std::string>& text) { return text ? json(*text) : json(nullptr); }

// 250 reads as 250, not 250.0; a fractional width keeps its fraction.
json width(double points) {
    if (std::trunc(points) == points && std::abs(points) < 1e15) {
        return json(static_cast<std::int64_t>(points));
    }
    return json(points);
}

const char* fontName(MenuFont font) {
    switch (font) {
    case MenuFont::italic:
        return "italic";
    case MenuFont::bold:
        return "bold";
    case MenuFont::none:
        break;
    }
    return nullptr;
}

json iconToJson(const std::optional<MenuIcon>& icon) {
    if (!icon) {
        return nullptr;
    }
    json object;
    object["symbolName"] = optionalText(icon->symbolName);
    object["accessibilityDescription"] = optionalText(icon->accessibilityDescription);
    object["imageName"] = optionalText(icon->imageName);
    object["template"] = icon->isTemplate;
    return object;
}

json itemToJson(const MenuEntry& entry) {
    json object;
    object["kind"] = "item";
    object["title"] = entry.title;
    const char* font = fontName(entry.font);
    object["font"] = font != nullptr ? json(font) : json(nullptr);
    object["subtitle"] = optionalText(entry.subtitle);
    object["action"] = entry.action ? json(std::string(selectorName(*entry.action))) : json(nullptr);
    object["hasTarget"] = entry.hasTarget;
    object["keyEquivalent"] = entry.keyEquivalent;
    object["modifierMask"] = entry.keyEquivalentModifierMask;
    object["enabled"] = entry.enabled;
    object["image"] = iconToJson(entry.image);
    object["representedObject"] = optionalText(entry.representedObject);
    object["alternate"] = entry.isAlternate;
    object["submenu"] = entry.submenu ? menuToJson(*entry.submenu) : json(nullptr);
    return object;
}

}  // namespace

json menuToJson(const Menu& menu) {
    json entries = json::array();
    for (const MenuEntry& entry : menu.entries) {
        entries.push_back(menuEntryToJson(entry));
    }
    json object;
    object["minimumWidth"] = width(menu.minimumWidth);
    object["entries"] = std::move(entries);
    return object;
}

json menuEntryToJson(const MenuEntry& entry) {
    switch (entry.kind) {
    case MenuEntryKind::separator:
        return json{{"kind", "separator"}};
    case MenuEntryKind::sectionHeader:
        return json{{"kind", "sectionHeader"}, {"title", entry.title}};
    case MenuEntryKind::item:
        break;
    }
    return itemToJson(entry);
}

json menuReportToJson(const std::string& statusTitle, const Menu& menu) {
    json object;
    object["statusTitle"] = statusTitle;
    object["menu"] = menuToJson(menu);
    return object;
}

std::string dumpJson(const nlohmann::ordered_json& report) {
    return report.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace ledgerly::reports
