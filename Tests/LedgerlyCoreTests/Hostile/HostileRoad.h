#pragma once

#include "LedgerlyCore/Menu/Menu.h"
#include "LedgerlyCore/Menu/RefreshOutcome.h"

#include <filesystem>
#include <optional>
#include <string>

namespace ledgerly::testing {

// What one refresh of a selected file gives: the outcome and the built menu.
struct RoadResult {
    RefreshOutcome outcome;
    Menu menu;

    // The parsed document; fails the test when the file did not read as one.
    const LedgerlyDocument& document() const;
    // The status entry of the Ledgerly submenu, "Status: ...".
    const MenuEntry& statusEntry() const;
};

// Selects `file` and takes the application's road: the file source reads it,
// the parser parses it, the menu builder builds the whole menu.
RoadResult readParseAndBuild(const std::filesystem::path& file);

// The state a load failure of `reason` gives.
LedgerlyMenuState unreadable(FileReadFailureReason reason);

}  // namespace ledgerly::testing
