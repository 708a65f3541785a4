#include "HostileRoad.h"

#include "LedgerlyReports/MenuReport.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

namespace ledgerly::testing {

const LedgerlyDocument& RoadResult::document() const {
    const auto* document = std::get_if<LedgerlyMenuState::Document>(&outcome.menuState.value);
    if (document == nullptr) {
        throw std::logic_error("the file did not read as a document");
    }
    return document->document;
}

const MenuEntry& RoadResult::statusEntry() const {
    const Menu& admin = *menu.entries.back().submenu;
    for (const MenuEntry& entry : admin.entries) {
        if (entry.title.starts_with("Status: ")) {
            return entry;
        }
    }
    throw std::logic_error("no status entry");
}

RoadResult readParseAndBuild(const std::filesystem::path& file) {
    reports::MenuReport report = reports::MenuReport::forSelectedFile(file, "/home/nobody");
    return RoadResult{RefreshOutcome{std::move(report.menuState), std::move(report.statusTitle)},
                      std::move(report.menu)};
}

LedgerlyMenuState unreadable(FileReadFailureReason reason) {
    return LedgerlyMenuState{LedgerlyMenuState::SelectedFileUnreadable{reason}};
}

}  // namespace ledgerly::testing
