#pragma once

#include "LedgerlyCore/Platform/InMemoryUserDefaults.h"
#include "LedgerlyCore/Settings/GlobalHotKeyController.h"
#include "LedgerlyCore/Settings/LedgerlySettingsStore.h"
#include "LedgerlyCore/Settings/SettingsViewModel.h"
#include "LedgerlyDesktop/SettingsWindow/SettingsErrorView.h"
#include "LedgerlyDesktop/SettingsWindow/SettingsView.h"
#include "LedgerlyDesktop/SettingsWindow/SettingsWindow.h"
#include "LedgerlyDesktop/SettingsWindow/SettingsWindowController.h"
#include "LedgerlyDesktop/SettingsWindow/ShortcutRecorderControl.h"

#include "Settings/FakeHotKeyRegistrar.h"
#include "Settings/FakeLaunchAtLoginService.h"

#include <QPoint>

#include <memory>

namespace ledgerly::testing {

// A view model over an in-memory store, a fake registrar and a fake login
// item, and the settings window controller over it, shown and active.
class SettingsHarness {
public:
    SettingsHarness();
    ~SettingsHarness();

    SettingsWindow& window() const { return controller->window(); }
    SettingsView& view() const { return controller->view(); }
    ShortcutRecorderControl& recorder() const { return view().recorder(); }

    // Shows the window through the controller and waits until it is active.
    void show();
    // A left click at `position` in `widget`'s coordinates, through the application.
    static void click(QWidget& widget, QPoint position);
    // A click in the middle of the recorder's title, away from its clear button.
    void clickRecorderField();
    void clickClearButton();
    // A key press and release sent to the widget that has the keyboard focus
    // (the window when none has), with the modifier keys pressed around it.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    InMemoryUserDefaults defaults;
    LedgerlySettingsStore store{defaults};
    FakeHotKeyRegistrar* registrar;
    std::shared_ptr<FakeHotKeyRegistrar::Log> registrarLog;
    GlobalHotKeyController hotKeyController;
    std::shared_ptr<FakeLaunchAtLoginService::State> loginItem = std::make_shared<FakeLaunchAtLoginService::State>();
    SettingsViewModel viewModel;
    std::unique_ptr<SettingsWindowController> controller;
};

}  // namespace ledgerly::testing
