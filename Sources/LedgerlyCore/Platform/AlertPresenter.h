#pragma once

#include <string>

namespace ledgerly {

// Modal alerts, the only way the application interrupts the user.
class AlertPresenter {
public:
    AlertPresenter() = default;
    AlertPresenter(const AlertPresenter&) = delete;
    AlertPresenter& operator=(const AlertPresenter&) = delete;
    virtual ~AlertPresenter() = default;

    // Runs a warning alert with one "OK" button modally; returns when it is dismissed.
    virtual void runWarningAlert(const std::string& messageText, const std::string& informativeText) = 0;
};

}  // namespace ledgerly
