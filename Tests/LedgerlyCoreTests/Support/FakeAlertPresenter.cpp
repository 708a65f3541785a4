#include "Support/FakeAlertPresenter.h"

namespace ledgerly::testing {

void FakeAlertPresenter::runWarningAlert(const std::string& messageText, const std::string& informativeText) {
    recordCall(log_, "alerts.runWarningAlert " + messageText);
    alerts.push_back({messageText, informativeText});
}

}  // namespace ledgerly::testing
