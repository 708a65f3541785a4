#pragma once

#include "LedgerlyCore/Platform/AlertPresenter.h"

#include <functional>

class QMessageBox;

namespace ledgerly {

// Warning alerts on QMessageBox with one "OK" button.
class QtAlertPresenter final : public AlertPresenter {
public:
    void runWarningAlert(const std::string& messageText, const std::string& informativeText) override;

    // Sets `box` up as the warning alert for the two texts.
    static void configure(QMessageBox& box, const std::string& messageText, const std::string& informativeText);
};

}  // namespace ledgerly
