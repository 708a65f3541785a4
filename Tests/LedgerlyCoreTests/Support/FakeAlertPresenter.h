#pragma once

#include "LedgerlyCore/Platform/AlertPresenter.h"
#include "Support/CallLog.h"

#include <string>
#include <vector>

namespace ledgerly::testing {

// Records each warning alert instead of showing it.
class FakeAlertPresenter final : public AlertPresenter {
public:
    struct Alert {
        std::string messageText;
        std::string informativeText;
        bool operator==(const Alert&) const = default;
    };

    explicit FakeAlertPresenter(CallLog* log = nullptr) : log_(log) {}

    void runWarningAlert(const std::string& messageText, const std::string& informativeText) override;

    std::vector<Alert> alerts;

private:
    CallLog* log_;
};

}  // namespace ledgerly::testing
