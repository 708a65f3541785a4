#include "LedgerlyCore/Settings/SettingsViewModel.h"

#include "Settings/FakeHotKeyRegistrar.h"
#include "Settings/FakeLaunchAtLoginService.h"
#include "Settings/ThrowingUserDefaults.h"

#include <gtest/gtest.h>

namespace ledgerly::testing {
namespace {

const KeyboardShortcut commandK(40, ModifierFlags::command);
const KeyboardShortcut shiftK(40, ModifierFlags::shift);

// A view model over in-memory services, created on first use so that a test
// can prepare the services first.
struct ViewModelFixture {
    ThrowingUserDefaults defaults;
    LedgerlySettingsStore store{defaults};
    std::shared_ptr<FakeLaunchAtLoginService::State> login = std::make_shared<FakeLaunchAtLoginService::State>();
    FakeHotKeyRegistrar* registrar = nullptr;
    std::shared_ptr<FakeHotKeyRegistrar::Log> log;
    std::unique_ptr<GlobalHotKeyController> controller;
    std::unique_ptr<SettingsViewModel> model;
    int notifications = 0;

    ViewModelFixture() {
        auto fake = std::make_unique<FakeHotKeyRegistrar>();
        registrar = fake.get();
        log = fake->log;
        controller = std::make_unique<GlobalHotKeyController>(store, std::move(fake), [] {});
    }

    SettingsViewModel& viewModel() {
        if (!model) {
            model = std::make_unique<SettingsViewModel>(store, std::make_unique<FakeLaunchAtLoginService>(login),
                                                        *controller);
            model->addObserver([this] { ++notifications; });
        }
        return *model;
    }
};

TEST(SettingsViewModelInit, LoadsEveryValueFromTheServices) {
    ViewModelFixture fixture;
    fixture.login->enabled = true;
    fixture.store.setGlobalShortcut(shiftK);
    fixture.controller->applyStoredShortcut();
    fixture.store.setGlobalShortcutEnabled(false);
    auto& model = fixture.viewModel();
    EXPECT_TRUE(model.launchAtLoginEnabled());
    EXPECT_EQ(std::nullopt, model.launchAtLoginError());
    EXPECT_EQ(shiftK, model.globalShortcut());
    EXPECT_FALSE(model.globalShortcutEnabled());
    EXPECT_EQ("Shortcut needs Ctrl, Alt, or Super.", model.globalShortcutError());
}

TEST(SettingsViewModelLaunchAtLogin, RefusedChangeSnapsBackAndStoresTheRealState) {
    ViewModelFixture fixture;
    auto& model = fixture.viewModel();
    fixture.login->refuses = true;
    model.setLaunchAtLoginEnabled(true);
    EXPECT_EQ(1, fixture.login->setCalls);
    EXPECT_FALSE(model.launchAtLoginEnabled());
    EXPECT_EQ("Could not update launch at login.", model.launchAtLoginError());
    EXPECT_EQ(false, fixture.defaults.boolean("launchAtLoginRequested"));
    // The view's switch was moved by the user: it must hear about the snap-back.
    EXPECT_EQ(1, fixture.notifications);
}

TEST(SettingsViewModelLaunchAtLogin, AcceptedChangeStoresTheNewState) {
    ViewModelFixture fixture;
    auto& model = fixture.viewModel();
    model.setLaunchAtLoginEnabled(true);
    EXPECT_TRUE(model.launchAtLoginEnabled());
    EXPECT_EQ(std::nullopt, model.launchAtLoginError());
    EXPECT_EQ(true, fixture.defaults.boolean("launchAtLoginRequested"));
    model.setLaunchAtLoginEnabled(false);
    EXPECT_FALSE(model.launchAtLoginEnabled());
    EXPECT_EQ(false, fixture.defaults.boolean("launchAtLoginRequested"));
}

TEST(SettingsViewModelLaunchAtLogin, StoresWhatTheSystemReportsEvenWhenTurningOffFails) {
    ViewModelFixture fixture;
    fixture.login->enabled = true;
    fixture.login->refuses = true;
    auto& model = fixture.viewModel();
    model.setLaunchAtLoginEnabled(false);
    EXPECT_TRUE(model.launchAtLoginEnabled());
    EXPECT_EQ(true, fixture.defaults.boolean("launchAtLoginRequested"));
}

TEST(SettingsViewModelLaunchAtLogin, FailedStoreWriteShowsTheMessageInsteadOfThrowing) {
    ViewModelFixture fixture;
    auto& model = fixture.viewModel();
    fixture.defaults.failWrites = true;
    EXPECT_NO_THROW(model.setLaunchAtLoginEnabled(true));
    EXPECT_EQ(1, fixture.login->setCalls);
    EXPECT_TRUE(model.launchAtLoginEnabled());
    EXPECT_EQ("Could not update launch at login.", model.launchAtLoginError());
    EXPECT_FALSE(fixture.defaults.hasValue("launchAtLoginRequested"));
    EXPECT_EQ(1, fixture.notifications);
}

TEST(SettingsViewModelLaunchAtLogin, MessageStaysThroughRefreshUntilTheNextSuccess) {
    ViewModelFixture fixture;
    auto& model = fixture.viewModel();
    fixture.login->refuses = true;
    model.setLaunchAtLoginEnabled(true);
    model.refresh();
    EXPECT_EQ("Could not update launch at login.", model.launchAtLoginError());
    fixture.login->refuses = false;
    model.setLaunchAtLoginEnabled(true);
    EXPECT_EQ(std::nullopt, model.launchAtLoginError());
}

TEST(SettingsViewModelSetShortcut, InvalidShortcutShowsTheStoredOneAndTheMessage) {
    ViewModelFixture fixture;
    auto& model = fixture.viewModel();
    model.setShortcut(shiftK);
    EXPECT_EQ(KeyboardShortcut::defaultOpenMenu, model.globalShortcut());
    EXPECT_TRUE(model.globalShortcutEnabled());
    EXPECT_EQ("Shortcut needs Ctrl, Alt, or Super.", model.globalShortcutError());
    EXPECT_EQ(1, fixture.notifications);
}

TEST(SettingsViewModelSetShortcut, RefusedShortcutKeepsThePreviousOneRegistered) {
    ViewModelFixture fixture;
    fixture.controller->applyStoredShortcut();
    auto& model = fixture.viewModel();
    fixture.registrar->nextError = GlobalHotKeyError::registrationFailed(-9878);
    model.setShortcut(commandK);
    EXPECT_EQ(KeyboardShortcut::defaultOpenMenu, model.globalShortcut());
    EXPECT_EQ("Shortcut unavailable.", model.globalShortcutError());
    EXPECT_EQ((std::vector<int>{1}), fixture.log->live);
}

TEST(SettingsViewModelSetShortcut, ForeignRegistrarErrorsShowAsUnavailable) {
    ViewModelFixture fixture;
    auto& model = fixture.viewModel();
    fixture.registrar->nextThrowsForeignError = true;
    EXPECT_NO_THROW(model.setShortcut(commandK));
    EXPECT_EQ("Shortcut unavailable.", model.globalShortcutError());
    EXPECT_EQ(KeyboardShortcut::defaultOpenMenu, model.globalShortcut());
}

TEST(SettingsViewModelSetShortcut, AcceptedShortcutWhileDisabledTurnsItOn) {
    ViewModelFixture fixture;
    fixture.store.setGlobalShortcutEnabled(false);
    auto& model = fixture.viewModel();
    ASSERT_FALSE(model.globalShortcutEnabled());
    model.setShortcut(commandK);
    EXPECT_EQ(commandK, model.globalShortcut());
    EXPECT_TRUE(model.globalShortcutEnabled());
    EXPECT_EQ(std::nullopt, model.globalShortcutError());
    EXPECT_TRUE(fixture.store.isGlobalShortcutEnabled());
    EXPECT_EQ(commandK, fixture.store.globalShortcut());
}

TEST(SettingsViewModelDisableShortcut, ClearsTheErrorAndKeepsTheShortcut) {
    ViewModelFixture fixture;
    auto& model = fixture.viewModel();
    model.setShortcut(commandK);
    model.setShortcut(shiftK);
    ASSERT_TRUE(model.globalShortcutError().has_value());
    model.disableShortcut();
    EXPECT_EQ(std::nullopt, model.globalShortcutError());
    EXPECT_FALSE(model.globalShortcutEnabled());
    EXPECT_EQ(commandK, model.globalShortcut());
    EXPECT_FALSE(fixture.store.isGlobalShortcutEnabled());
    EXPECT_TRUE(fixture.log->live.empty());
}

TEST(SettingsViewModelDisableShortcut, FailedStoreWriteKeepsItOnAndShowsUnavailable) {
    ViewModelFixture fixture;
    fixture.controller->applyStoredShortcut();
    auto& model = fixture.viewModel();
    fixture.defaults.failWrites = true;
    EXPECT_NO_THROW(model.disableShortcut());
    EXPECT_TRUE(model.globalShortcutEnabled());
    EXPECT_EQ("Shortcut unavailable.", model.globalShortcutError());
    EXPECT_TRUE(fixture.store.isGlobalShortcutEnabled());
    EXPECT_EQ((std::vector<int>{1}), fixture.log->live);
    EXPECT_EQ(1, fixture.notifications);
}

TEST(SettingsViewModelSetShortcut, FailedStoreWriteShowsTheStoredShortcutStillRegistered) {
    ViewModelFixture fixture;
    fixture.controller->applyStoredShortcut();
    auto& model = fixture.viewModel();
    fixture.defaults.failWrites = true;
    EXPECT_NO_THROW(model.setShortcut(commandK));
    EXPECT_EQ(KeyboardShortcut::defaultOpenMenu, model.globalShortcut());
    EXPECT_TRUE(model.globalShortcutEnabled());
    EXPECT_EQ("Shortcut unavailable.", model.globalShortcutError());
    EXPECT_EQ((std::vector<int>{3}), fixture.log->live);
    EXPECT_EQ(
        (std::vector<std::string>{registerCall(KeyboardShortcut::defaultOpenMenu), registerCall(commandK),
                                  "unregister 1", registerCall(KeyboardShortcut::defaultOpenMenu), "unregister 2"}),
        fixture.log->calls);
}

TEST(SettingsViewModelRefresh, PicksUpChangesMadeElsewhere) {
    ViewModelFixture fixture;
    auto& model = fixture.viewModel();
    fixture.login->enabled = true;
    fixture.store.setGlobalShortcut(shiftK);
    fixture.controller->applyStoredShortcut();
    fixture.store.setGlobalShortcutEnabled(false);
    model.refresh();
    EXPECT_TRUE(model.launchAtLoginEnabled());
    EXPECT_EQ(shiftK, model.globalShortcut());
    EXPECT_FALSE(model.globalShortcutEnabled());
    EXPECT_EQ("Shortcut needs Ctrl, Alt, or Super.", model.globalShortcutError());
    EXPECT_EQ(1, fixture.notifications);
}

TEST(SettingsViewModelObservers, RemovedObserversHearNothingMore) {
    ViewModelFixture fixture;
    auto& model = fixture.viewModel();
    int second = 0;
    const auto token = model.addObserver([&second] { ++second; });
    model.disableShortcut();
    model.removeObserver(token);
    model.removeObserver(9999);
    model.refresh();
    EXPECT_EQ(1, second);
    EXPECT_EQ(2, fixture.notifications);
}

TEST(SettingsViewModelObservers, AnObserverMayRemoveAnotherDuringNotification) {
    ViewModelFixture fixture;
    auto& model = fixture.viewModel();
    int laterRuns = 0;
    SettingsViewModel::ObserverToken later = 0;
    model.addObserver([&model, &later] { model.removeObserver(later); });
    later = model.addObserver([&laterRuns] { ++laterRuns; });
    model.refresh();
    EXPECT_EQ(0, laterRuns);
}

TEST(SettingsViewModelObservers, ObserversSeeTheNewValues) {
    ViewModelFixture fixture;
    auto& model = fixture.viewModel();
    std::optional<KeyboardShortcut> seen;
    model.addObserver([&model, &seen] { seen = model.globalShortcut(); });
    model.setShortcut(commandK);
    EXPECT_EQ(commandK, seen);
}

}  // namespace
}  // namespace ledgerly::testing
