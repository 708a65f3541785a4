#pragma once

#include <ostream>
#include <string>

namespace ledgerly::check {

// --menu: prints the status menu that selecting `file` gives, as text or as
// JSON. 0 when the file reads without warnings, 1 with warnings, 2 when it
// cannot be read (the menu then shows why).
int runMenuMode(const std::string& file, bool asJson, std::ostream& out);

}  // namespace ledgerly::check
