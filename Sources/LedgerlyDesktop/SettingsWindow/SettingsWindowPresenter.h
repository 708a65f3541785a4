#pragma once

#include "LedgerlyCore/Settings/SettingsViewModel.h"

#include <functional>
#include <memory>

namespace ledgerly {

class SettingsWindowController;

// The desktop's side of "Settings...": makes the window controller on the
// first request and reuses it for every later one, also after its window
// was closed.
class SettingsWindowPresenter final {
public:
    SettingsWindowPresenter();
    ~SettingsWindowPresenter();
    SettingsWindowPresenter(const SettingsWindowPresenter&) = delete;
    SettingsWindowPresenter& operator=(const SettingsWindowPresenter&) = delete;

    // Shows the window for `viewModel`, which must outlive the presenter.
    void show(SettingsViewModel& viewModel);
    // None until the first show().
    SettingsWindowController* controller() const { return controller_.get(); }

    // A function for the application delegate's settings seam, owning a
    // presenter of its own: destroy it before the view model it was given.
    static std::function<void(SettingsViewModel&)> makeShowFunction();

private:
    std::unique_ptr<SettingsWindowController> controller_;
};

}  // namespace ledgerly
