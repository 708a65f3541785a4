#pragma once

#include "LedgerlyCore/Menu/Menu.h"

#include <nlohmann/json.hpp>

#include <string>

// The JSON form of a built status menu, as `ledgerly-check --menu --json`
// prints it and the desktop application publishes it. Keys keep their order;
// absent optionals are written as null.
namespace ledgerly::reports {

// {"minimumWidth", "entries"}
nlohmann::ordered_json menuToJson(const Menu& menu);

// {"kind": "separator"}, {"kind": "sectionHeader", "title"} or an item with every property.
nlohmann::ordered_json menuEntryToJson(const MenuEntry& entry);

// {"statusTitle", "menu"}
nlohmann::ordered_json menuReportToJson(const std::string& statusTitle, const Menu& menu);

// `report` as text; bytes that are not UTF-8 (a file name, say) become U+FFFD instead of failing.
std::string dumpJson(const nlohmann::ordered_json& report);

}  // namespace ledgerly::reports
