#include "Support/FakeApplication.h"

namespace ledgerly::testing {

void FakeApplication::bringToFront() {
    recordCall(log_, "application.bringToFront");
    ++activations;
}

void FakeApplication::showAboutDialog() {
    recordCall(log_, "application.showAboutDialog");
    ++aboutPanels;
}

void FakeApplication::terminate() {
    recordCall(log_, "application.terminate");
    ++terminations;
}

}  // namespace ledgerly::testing
