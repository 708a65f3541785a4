#include "MenuMode.h"

#include "CheckModes.h"

#include "LedgerlyCore/Menu/MenuBuilder.h"
#include "LedgerlyReports/MenuJson.h"
#include "LedgerlyReports/MenuReport.h"
#include "LedgerlyReports/MenuTextPrinter.h"

namespace ledgerly::check {
namespace {

int menuExitStatus(const LedgerlyMenuState& state) {
    const auto* document = std::get_if<LedgerlyMenuState::Document>(&state.value);
    if (document == nullptr) {
        return kExitUnreadable;
    }
    return document->document.warnings.empty() ? kExitClean : kExitWarnings;
}

}  // namespace

int runMenuMode(const std::string& file, bool asJson, std::ostream& out) {
    const auto report = reports::MenuReport::forSelectedFile(file, MenuBuilder::homeFolderFromEnvironment());
    if (asJson) {
        out << reports::dumpJson(reports::menuReportToJson(report.statusTitle, report.menu)) << '\n';
    } else {
        out << reports::menuReportText(report.statusTitle, report.menu);
    }
    return menuExitStatus(report.menuState);
}

}  // namespace ledgerly::check
