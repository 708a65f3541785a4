#include "App/AppDelegateHarness.h"

#include "Settings/FakeHotKeyRegistrar.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ledgerly::testing {
namespace {
using Gate = StatusMenuPresentationGate;
using namespace std::chrono_literals;

Gate::TimePoint at(std::chrono::milliseconds sinceStart) { return Gate::TimePoint(sinceStart); }

const std::string kLinks = "# Team Links\n- [Wiki](https://wiki.example.com)\n";

TEST(LedgerlyAppDelegateStartUp, TitleMenuWatcherThenShortcutInThatOrder) {
    AppDelegateHarness app;
    app.select("Links.md", kLinks);
    auto services = app.services();
    const auto makeRegistrar = services.makeHotKeyRegistrar;
    LedgerlyAppDelegate* created = nullptr;
    std::optional<FileWatcher::State> watcherWhenControllerMade;
    services.makeHotKeyRegistrar = [&] {
        watcherWhenControllerMade = created->fileWatcher().state();
        return makeRegistrar();
    };
    app.delegate = LedgerlyAppDelegate::create(std::move(services));
    created = app.delegate.get();
    EXPECT_FALSE(app.delegate->hasHotKeyController());

    app.delegate->applicationDidFinishLaunching();

    EXPECT_EQ((std::vector<std::string>{"statusItem.setTitle Ledgerly", "statusItem.setTitle Team Links",
                                        "statusItem.setMenu", "makeHotKeyRegistrar"}),
              app.log.calls());
    EXPECT_EQ(std::optional(FileWatcher::State::watchingFile), watcherWhenControllerMade);
    EXPECT_TRUE(app.delegate->hasHotKeyController());
    // Control-Option-Command-S: key code 1 with the hot-key service's Control, Option and Command bits.
    EXPECT_EQ((std::vector<std::string>{"install", "register 1 1 0x1900"}), app.hotKeyBackend.calls);
    EXPECT_EQ(std::nullopt, app.delegate->hotKeyController().lastErrorMessage());
    EXPECT_EQ(1, app.registrarsMade);
}

TEST(LedgerlyAppDelegateStartUp, FirstLaunchWithNothingStoredStopsTheWatcher) {
    AppDelegateHarness app;
    app.launch();
    EXPECT_EQ(LedgerlyMenuState{}, app.delegate->menuState());
    EXPECT_EQ("Ledgerly", app.statusItem.title());
    EXPECT_EQ(FileWatcher::State::idle, app.delegate->fileWatcher().state());
    EXPECT_EQ(0u, app.fakeQueue.watchCount());
}

TEST(LedgerlyAppDelegateStartUp, MissingStoredFileIsAwaitedInItsFolder) {
    AppDelegateHarness app;
    app.defaults.setString("selectedMarkdownPath", app.folder.file("Later.md").string());
    app.launch();
    EXPECT_EQ(FileWatcher::State::watchingFolder, app.delegate->fileWatcher().state());
}

TEST(LedgerlyAppDelegateStartUp, StoredShortcutIsRegisteredOnce) {
    AppDelegateHarness app;
    LedgerlySettingsStore store(app.defaults);
    store.setGlobalShortcut(KeyboardShortcut{2, ModifierFlags::control | ModifierFlags::command});
    app.launch();
    EXPECT_EQ((std::vector<std::string>{"install", "register 1 2 0x1100"}), app.hotKeyBackend.calls);
    app.delegate->hotKeyController();
    EXPECT_EQ(1, app.registrarsMade);
}

TEST(LedgerlyAppDelegateStartUp, DisabledShortcutRegistersNothing) {
    AppDelegateHarness app;
    LedgerlySettingsStore(app.defaults).setGlobalShortcutEnabled(false);
    app.launch();
    EXPECT_TRUE(app.delegate->hasHotKeyController());
    EXPECT_EQ(std::vector<std::string>{"install"}, app.hotKeyBackend.calls);
}

TEST(LedgerlyAppDelegateStartUp, RefusedShortcutIsKeptAsAMessageNotShown) {
    AppDelegateHarness app;
    app.hotKeyBackend.registerStatuses = {-9878};
    app.launch();
    EXPECT_EQ(std::optional<std::string>("Shortcut unavailable."), app.delegate->hotKeyController().lastErrorMessage());
    EXPECT_TRUE(app.alerts.alerts.empty());
}

// The shortcut pressed through the fake backend, delivered by the queue as the system would.
class LedgerlyAppDelegateShortcut : public ::testing::Test {
protected:
    AppDelegateHarness app;

    void SetUp() override { app.launch(); }
    void press() {
        app.hotKeyBackend.press(1);
        app.fakeQueue.runAll();
    }
};

TEST_F(LedgerlyAppDelegateShortcut, PressClicksTheStatusItemFromTheQueueOnly) {
    app.hotKeyBackend.press(1);
    EXPECT_EQ(0, app.statusItem.clicks) << "ran inside the backend's callback";
    app.fakeQueue.runAll();
    EXPECT_EQ(1, app.statusItem.clicks);
    EXPECT_EQ(Gate::State{Gate::Pending{}}, app.delegate->presentationGate().state());
}

TEST_F(LedgerlyAppDelegateShortcut, SecondPressBeforeTheMenuOpensDoesNothing) {
    press();
    press();
    EXPECT_EQ(1, app.statusItem.clicks);
}

TEST_F(LedgerlyAppDelegateShortcut, PressWhileOpenDoesNothing) {
    app.statusItem.onPerformClick = [this] { app.delegate->menuWillOpen(); };
    press();
    press();
    EXPECT_EQ(1, app.statusItem.clicks);
    EXPECT_EQ(Gate::State{Gate::Open{}}, app.delegate->presentationGate().state());
}

TEST_F(LedgerlyAppDelegateShortcut, AfterCloseAndDrainAPressWorksAgain) {
    app.statusItem.onPerformClick = [this] { app.delegate->menuWillOpen(); };
    press();
    app.clockReading = at(104000ms);
    app.delegate->menuDidClose();
    EXPECT_EQ(Gate::State{Gate::Draining{at(104250ms)}}, app.delegate->presentationGate().state());

    app.clockReading = at(104100ms);
    press();
    EXPECT_EQ(1, app.statusItem.clicks);

    app.clockReading = at(104300ms);
    press();
    EXPECT_EQ(2, app.statusItem.clicks);
}

TEST_F(LedgerlyAppDelegateShortcut, MouseOpenedMenuAlsoDrains) {
    app.delegate->menuWillOpen();
    app.delegate->menuDidClose();
    press();
    EXPECT_EQ(0, app.statusItem.clicks);
}

TEST_F(LedgerlyAppDelegateShortcut, WithoutButtonNoClickAndTheGateWaitsForTheMenu) {
    app.statusItem.buttonPresent = false;
    press();
    EXPECT_EQ(0, app.statusItem.clicks);
    EXPECT_EQ(Gate::State{Gate::Pending{}}, app.delegate->presentationGate().state());
    app.statusItem.buttonPresent = true;
    press();
    EXPECT_EQ(0, app.statusItem.clicks) << "pending refuses until the menu reports";
    app.delegate->menuWillOpen();
    app.delegate->menuDidClose();
    app.clockReading += 1s;
    press();
    EXPECT_EQ(1, app.statusItem.clicks);
}

TEST_F(LedgerlyAppDelegateShortcut, ShowMenuGoesThroughTheSameGate) {
    app.delegate->showMenu();
    app.delegate->showMenu();
    press();
    EXPECT_EQ(1, app.statusItem.clicks);
}

TEST(LedgerlyAppDelegateLifetime, ShortcutActionAfterTheDelegateIsGoneDoesNothing) {
    AppDelegateHarness app;
    FakeHotKeyRegistrar* registrar = nullptr;
    auto log = std::make_shared<FakeHotKeyRegistrar::Log>();
    auto services = app.services();
    services.makeHotKeyRegistrar = [&]() -> std::unique_ptr<HotKeyRegistering> {
        auto made = std::make_unique<FakeHotKeyRegistrar>();
        made->log = log;
        registrar = made.get();
        return made;
    };
    app.delegate = LedgerlyAppDelegate::create(std::move(services));
    app.delegate->applicationDidFinishLaunching();
    ASSERT_NE(nullptr, registrar);
    ASSERT_EQ(1u, log->handlers.size());
    const auto action = log->handlers.front();
    action();
    ASSERT_EQ(1, app.statusItem.clicks) << "the action must work while the delegate lives";

    const std::weak_ptr<LedgerlyAppDelegate> weak = app.delegate;
    app.delegate.reset();
    ASSERT_TRUE(weak.expired()) << "something holds the delegate strongly";
    action();
    EXPECT_EQ(1, app.statusItem.clicks);
}

TEST(LedgerlyAppDelegateLifetime, NothingItHandsOutKeepsTheDelegateAlive) {
    AppDelegateHarness app;
    app.select("Links.md", kLinks);
    app.launch();
    app.delegate->openSettings(MenuEntry::item("Settings..."));
    const std::weak_ptr<LedgerlyAppDelegate> weak = app.delegate;
    app.delegate.reset();
    EXPECT_TRUE(weak.expired());
    EXPECT_EQ(0u, app.fakeQueue.watchCount()) << "the watch outlived the delegate";
    EXPECT_TRUE(app.hotKeyBackend.liveIdentifiers().empty()) << "the hot key outlived the delegate";
}

TEST(LedgerlyAppDelegateLifetime, PressQueuedBeforeTheDelegateWentRunsNothing) {
    AppDelegateHarness app;
    app.launch();
    app.hotKeyBackend.press(1);
    app.delegate.reset();
    app.fakeQueue.runAll();
    EXPECT_EQ(0, app.statusItem.clicks);
}

TEST(LedgerlyAppDelegateLifetime, CreateRefusesMissingFactories) {
    AppDelegateHarness app;
    auto withoutRegistrar = app.services();
    withoutRegistrar.makeHotKeyRegistrar = nullptr;
    EXPECT_THROW(LedgerlyAppDelegate::create(std::move(withoutRegistrar)), std::invalid_argument);
    auto withoutLoginItem = app.services();
    withoutLoginItem.makeLaunchAtLoginService = nullptr;
    EXPECT_THROW(LedgerlyAppDelegate::create(std::move(withoutLoginItem)), std::invalid_argument);
}

}  // namespace
}  // namespace ledgerly::testing
