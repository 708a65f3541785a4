#include "Support/FakeApplication.h"

namespace ledgerly::testing {

void FakeApplication::activateIgnoringOtherApps() {
    recordCall(log_, "application.activateIgnoringOtherApps");
    ++activations;
}

void FakeApplication::orderFrontStandardAboutPanel() {
    recordCall(log_, "application.orderFrontStandardAboutPanel");
    ++aboutPanels;
}

void FakeApplication::terminate() {
    recordCall(log_, "application.terminate");
    ++terminations;
}

}  // namespace ledgerly::testing
