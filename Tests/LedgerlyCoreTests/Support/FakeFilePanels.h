#pragma once

#include "LedgerlyCore/Platform/FilePanels.h"
#include "Support/CallLog.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace ledgerly::testing {

// Panels that answer what the test scripted (none means Cancel) and record
// the options they were shown with.
class FakeFilePanels final : public FilePanels {
public:
    explicit FakeFilePanels(CallLog* log = nullptr) : log_(log) {}

    std::optional<std::filesystem::path> runOpenPanel(const OpenPanelOptions& options) override;
    std::optional<std::filesystem::path> runSavePanel(const SavePanelOptions& options) override;

    std::optional<std::filesystem::path> nextOpenAnswer;  // kept for later panels too
    std::optional<std::filesystem::path> nextSaveAnswer;
    std::function<void()> whileRunning;  // runs inside a panel, as events do during a modal run

    std::vector<OpenPanelOptions> openPanelsShown;
    std::vector<SavePanelOptions> savePanelsShown;

private:
    CallLog* log_;
};

}  // namespace ledgerly::testing
