#pragma once

#include "LedgerlyCore/Platform/OpenPanelOptions.h"
#include "LedgerlyCore/Platform/SavePanelOptions.h"

#include <filesystem>
#include <optional>

namespace ledgerly {

// The system's modal open and save panels.
class FilePanels {
public:
    FilePanels() = default;
    FilePanels(const FilePanels&) = delete;
    FilePanels& operator=(const FilePanels&) = delete;
    virtual ~FilePanels() = default;

    // Runs an open panel modally; the chosen file, or none on Cancel or when the panel gives none.
    virtual std::optional<std::filesystem::path> runOpenPanel(const OpenPanelOptions& options) = 0;
    // Runs a save panel modally; the chosen destination, or none on Cancel or when the panel gives none.
    virtual std::optional<std::filesystem::path> runSavePanel(const SavePanelOptions& options) = 0;
};

}  // namespace ledgerly
