#pragma once

#include "LedgerlyCore/App/LedgerlyAppDelegate.h"
#include "LedgerlyCore/Platform/InMemoryUserDefaults.h"
#include "LedgerlyCore/Settings/SettingsViewModel.h"

#include "Settings/FakeHotKeyBackend.h"
#include "Settings/FakeLaunchAtLoginService.h"
#include "Support/CallLog.h"
#include "Support/FakeAlertPresenter.h"
#include "Support/FakeApplication.h"
#include "Support/FakeBundleResources.h"
#include "Support/FakeFilePanels.h"
#include "Support/FakeMainQueue.h"
#include "Support/FakePasteboard.h"
#include "Support/FakeStatusItem.h"
#include "Support/FakeWorkspace.h"
#include "Support/TempDirectory.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace ledgerly::testing {

// Every platform service of the delegate as a fake, one call log across them,
// a folder of real files, and a hot-key registrar over a fake backend.
class AppDelegateHarness {
public:
    // The delegate runs on `queue`, or on a fake queue when none is given.
    explicit AppDelegateHarness(MainQueue* queue = nullptr);
    AppDelegateHarness(const AppDelegateHarness&) = delete;
    AppDelegateHarness& operator=(const AppDelegateHarness&) = delete;

    LedgerlyAppServices services();
    // Creates the delegate (not launched) and keeps it in `delegate`.
    LedgerlyAppDelegate& make();
    // Creates and launches it.
    LedgerlyAppDelegate& launch();

    // Writes `name` in the folder and selects it.
    std::filesystem::path select(const std::string& name, const std::string& text);
    std::optional<std::string> storedPath() const;

    CallLog log;
    FakeStatusItem statusItem{&log};
    InMemoryUserDefaults defaults;
    FakeMainQueue fakeQueue;
    MainQueue& queue;
    FakePasteboard pasteboard{&log};
    FakeWorkspace workspace{&log};
    FakeFilePanels panels{&log};
    FakeAlertPresenter alerts{&log};
    FakeApplication application{&log};
    FakeBundleResources bundle;
    FakeHotKeyBackend hotKeyBackend;
    std::shared_ptr<FakeLaunchAtLoginService::State> loginItem = std::make_shared<FakeLaunchAtLoginService::State>();
    TempDirectory folder;
    std::filesystem::path currentDirectory = folder.path() / "cwd";
    StatusMenuPresentationGate::TimePoint clockReading{std::chrono::seconds(100)};
    int registrarsMade = 0;
    int loginServicesMade = 0;
    std::vector<SettingsViewModel*> settingsWindowsShown;

    std::shared_ptr<LedgerlyAppDelegate> delegate;
};

// An entry as the menu builder makes one, carrying `representedObject`.
MenuEntry entryCarrying(std::optional<std::string> representedObject);

}  // namespace ledgerly::testing
