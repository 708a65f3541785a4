#pragma once

#include "LedgerlyCore/Settings/SettingsViewModel.h"

#include <memory>

namespace ledgerly {

class SettingsView;
class SettingsWindow;

// Makes the settings window once and brings it back on every request.
class SettingsWindowController final {
public:
    // Builds the window, hidden; the view model must outlive the controller.
    explicit SettingsWindowController(SettingsViewModel& viewModel);
    ~SettingsWindowController();
    SettingsWindowController(const SettingsWindowController&) = delete;
    SettingsWindowController& operator=(const SettingsWindowController&) = delete;

    // Reloads the view model, then shows the window in front and makes it active.
    void show();

    SettingsViewModel& viewModel() const { return viewModel_; }
    SettingsWindow& window() const { return *window_; }
    SettingsView& view() const { return *view_; }

private:
    void fitWindowToContent();

    SettingsViewModel& viewModel_;
    std::unique_ptr<SettingsWindow> window_;
    // Owned by the window.
    SettingsView* view_;
};

}  // namespace ledgerly
