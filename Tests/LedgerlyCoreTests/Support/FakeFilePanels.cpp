#include "Support/FakeFilePanels.h"

namespace ledgerly::testing {

std::optional<std::filesystem::path> FakeFilePanels::runOpenPanel(const OpenPanelOptions& options) {
    recordCall(log_, "panels.runOpenPanel");
    openPanelsShown.push_back(options);
    if (whileRunning) {
        whileRunning();
    }
    return nextOpenAnswer;
}

std::optional<std::filesystem::path> FakeFilePanels::runSavePanel(const SavePanelOptions& options) {
    recordCall(log_, "panels.runSavePanel");
    savePanelsShown.push_back(options);
    if (whileRunning) {
        whileRunning();
    }
    return nextSaveAnswer;
}

}  // namespace ledgerly::testing
