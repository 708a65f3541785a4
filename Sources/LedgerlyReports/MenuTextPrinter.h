#pragma once

#include "LedgerlyCore/Menu/Menu.h"

#include <string>

namespace ledgerly::reports {

// A built menu as a person reads it: one line per entry, submenus indented
// under their entry, alternates under the entry they replace, subtitles
// below their entry, and notes such as "(disabled, Ctrl+O)" after titles.
std::string menuText(const Menu& menu);

// The status item's title on the first line, then the menu.
std::string menuReportText(const std::string& statusTitle, const Menu& menu);

}  // namespace ledgerly::reports
