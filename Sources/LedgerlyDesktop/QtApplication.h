#pragma once

#include "LedgerlyCore/Platform/Application.h"

#include <QPointer>

class QMessageBox;

namespace ledgerly {

// The running Qt application. There is no main window: activation raises
// whatever Ledgerly window is visible, and the About panel is its own window.
class QtApplication final : public Application {
public:
    QtApplication();
    ~QtApplication() override;

    void bringToFront() override;
    void showAboutDialog() override;
    void terminate() override;
    // The keyboard's modifier state right now, as raw bits.
    std::optional<std::uint64_t> currentEventModifierFlags() const override;

    // The About panel's text: the name, the version and one line of what Ledgerly is.
    static QString aboutText();

private:
    QPointer<QMessageBox> aboutPanel_;
};

}  // namespace ledgerly
