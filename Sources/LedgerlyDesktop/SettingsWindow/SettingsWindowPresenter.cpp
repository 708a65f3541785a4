#include "LedgerlyDesktop/SettingsWindow/SettingsWindowPresenter.h"

#include "LedgerlyDesktop/SettingsWindow/SettingsWindowController.h"

namespace ledgerly {

SettingsWindowPresenter::SettingsWindowPresenter() = default;

SettingsWindowPresenter::~SettingsWindowPresenter() = default;

void SettingsWindowPresenter::show(SettingsViewModel& viewModel) {
    if (!controller_) {
        controller_ = std::make_unique<SettingsWindowController>(viewModel);
    }
    controller_->show();
}

std::function<void(SettingsViewModel&)> SettingsWindowPresenter::makeShowFunction() {
    auto presenter = std::make_shared<SettingsWindowPresenter>();
    return [presenter](SettingsViewModel& viewModel) { presenter->show(viewModel); };
}

}  // namespace ledgerly
