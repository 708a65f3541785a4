#pragma once

#include "LedgerlyCore/Platform/BundleResources.h"
#include "LedgerlyCore/Platform/SavePanelOptions.h"

#include <filesystem>
#include <string>
#include <vector>

namespace ledgerly {

// The starter Markdown file shipped with the application, which a new user
// saves somewhere of their own and then edits.
class StarterFile {
public:
    // Where the template may be, in the order tried: the bundle's
    // starter.ledgerly.md and starter.md when the bundle has them, then
    // Samples/starter.ledgerly.md under `currentDirectory`.
    static std::vector<std::filesystem::path> templateCandidates(const BundleResources& bundle,
                                                                 const std::filesystem::path& currentDirectory);
    // The text of the first candidate that exists. Throws StarterFileError when
    // none does, TextFileError when that one cannot be read as UTF-8; later
    // candidates are then not tried.
    static std::string loadStarterMarkdown(const BundleResources& bundle,
                                           const std::filesystem::path& currentDirectory);
    // How the save panel for the copy is set up.
    static SavePanelOptions savePanelOptions();
};

}  // namespace ledgerly
