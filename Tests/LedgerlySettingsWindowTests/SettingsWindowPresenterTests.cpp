#include "LedgerlyDesktop/SettingsWindow/SettingsWindowPresenter.h"
#include "LedgerlyDesktop/SettingsWindow/SwitchControl.h"

#include "App/AppDelegateHarness.h"
#include "SettingsHarness.h"

#include <QApplication>
#include <QVariant>

#include <gtest/gtest.h>

namespace ledgerly::testing {
namespace {

using Activation = GlobalHotKeyController::Activation;

// "Settings..." through the real delegate, with the desktop's presenter behind its seam.
class SettingsWindowPresenterTest : public ::testing::Test {
protected:
    void SetUp() override {
        LedgerlyAppServices services = app.services();
        services.showSettingsWindow = [this](SettingsViewModel& viewModel) { presenter.show(viewModel); };
        app.delegate = LedgerlyAppDelegate::create(std::move(services));
        app.delegate->applicationDidFinishLaunching();
    }
    void openSettings() { app.delegate->openSettings(MenuEntry::item("Settings...")); }

    AppDelegateHarness app;
    // Declared after the delegate's harness, so that the window goes before the view model it shows.
    SettingsWindowPresenter presenter;
};

TEST_F(SettingsWindowPresenterTest, FirstRequestCreatesAndShowsTheWindow) {
    EXPECT_EQ(nullptr, presenter.controller());
    openSettings();
    ASSERT_NE(nullptr, presenter.controller());
    EXPECT_TRUE(presenter.controller()->window().isVisible());
    EXPECT_EQ(app.delegate->settingsViewModel(), &presenter.controller()->viewModel());
}

TEST_F(SettingsWindowPresenterTest, ControllerIsCreatedOnceAndReusedAfterClosing) {
    openSettings();
    SettingsWindowController* first = presenter.controller();
    first->window().setProperty("firstWindow", true);
    first->window().close();
    openSettings();
    EXPECT_EQ(first, presenter.controller());
    EXPECT_TRUE(presenter.controller()->window().property("firstWindow").toBool());
    EXPECT_TRUE(presenter.controller()->window().isVisible());
    EXPECT_EQ(1, app.loginServicesMade);
    int settingsWindows = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        settingsWindows += qobject_cast<SettingsWindow*>(widget) != nullptr ? 1 : 0;
    }
    EXPECT_EQ(1, settingsWindows);
}

TEST_F(SettingsWindowPresenterTest, SecondRequestShowsTheCurrentState) {
    openSettings();
    presenter.controller()->window().close();
    app.loginItem->enabled = true;
    const KeyboardShortcut elsewhere(2, ModifierFlags::control | ModifierFlags::command);
    app.delegate->hotKeyController().update(elsewhere, Activation::enabled);
    openSettings();
    EXPECT_TRUE(presenter.controller()->view().launchAtLoginSwitch().isChecked());
    EXPECT_EQ(elsewhere, presenter.controller()->view().recorder().shortcut());
}

TEST(SettingsWindowShowFunction, MakesOneControllerForAllRequests) {
    SettingsHarness harness;
    auto show = SettingsWindowPresenter::makeShowFunction();
    show(harness.viewModel);
    show(harness.viewModel);
    int shownSettingsWindows = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        shownSettingsWindows += qobject_cast<SettingsWindow*>(widget) != nullptr && widget->isVisible() ? 1 : 0;
    }
    EXPECT_EQ(1, shownSettingsWindows);
    show = nullptr;
}

}  // namespace
}  // namespace ledgerly::testing
