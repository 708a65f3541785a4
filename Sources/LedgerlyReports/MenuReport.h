#pragma once

#include "LedgerlyCore/Menu/LedgerlyMenuState.h"
#include "LedgerlyCore/Menu/Menu.h"

#include <filesystem>
#include <string>

namespace ledgerly::reports {

// What the status item would show with one file selected: the refresh's
// state and title, and the menu built from them.
struct MenuReport {
    LedgerlyMenuState menuState;
    std::string statusTitle;
    Menu menu;

    // Selects `file` (made absolute and normalised) over in-memory defaults,
    // reads it through the file source as the application does, and builds
    // the menu with every symbol available and a live action handler.
    static MenuReport forSelectedFile(const std::filesystem::path& file, const std::string& homeFolder);

    bool operator==(const MenuReport&) const = default;
};

// `file` made absolute against the current folder, with "." and ".." resolved
// and repeated and trailing slashes removed.
std::filesystem::path normalisedAbsolutePath(const std::filesystem::path& file);

}  // namespace ledgerly::reports
