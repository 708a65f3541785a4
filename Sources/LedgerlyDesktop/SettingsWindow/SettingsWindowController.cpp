#include "LedgerlyDesktop/SettingsWindow/SettingsWindowController.h"

#include "LedgerlyDesktop/SettingsWindow/SettingsView.h"
#include "LedgerlyDesktop/SettingsWindow/SettingsWindow.h"

#include <QLayout>

namespace ledgerly {

SettingsWindowController::SettingsWindowController(SettingsViewModel& viewModel)
    : viewModel_(viewModel), view_(new SettingsView(viewModel)) {
    window_ = std::make_unique<SettingsWindow>(view_);
    QObject::connect(view_, &SettingsView::contentChanged, window_.get(), [this] { fitWindowToContent(); });
    fitWindowToContent();
}

SettingsWindowController::~SettingsWindowController() = default;

void SettingsWindowController::show() {
    viewModel_.refresh();
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void SettingsWindowController::fitWindowToContent() {
    // A message shown or hidden just now counts only once the layout has been redone.
    view_->layout()->activate();
    window_->fitContentHeight(view_->sizeHint().height());
}

}  // namespace ledgerly
