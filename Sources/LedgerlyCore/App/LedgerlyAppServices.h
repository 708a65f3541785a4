#pragma once

#include "LedgerlyCore/App/StatusMenuPresentationGate.h"
#include "LedgerlyCore/Menu/SymbolAvailability.h"
#include "LedgerlyCore/Platform/AlertPresenter.h"
#include "LedgerlyCore/Platform/Application.h"
#include "LedgerlyCore/Platform/BackgroundQueue.h"
#include "LedgerlyCore/Platform/BundleResources.h"
#include "LedgerlyCore/Platform/FilePanels.h"
#include "LedgerlyCore/Platform/MainQueue.h"
#include "LedgerlyCore/Platform/Pasteboard.h"
#include "LedgerlyCore/Platform/StatusItem.h"
#include "LedgerlyCore/Platform/UserDefaults.h"
#include "LedgerlyCore/Platform/Workspace.h"
#include "LedgerlyCore/Settings/HotKeyRegistering.h"
#include "LedgerlyCore/Settings/LaunchAtLoginServicing.h"
#include "LedgerlyCore/Settings/SettingsViewModel.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace ledgerly {

// Everything the application delegate reaches the system through. The
// platform objects are borrowed and must outlive the delegate.
struct LedgerlyAppServices {
    StatusItem& statusItem;
    UserDefaults& userDefaults;
    MainQueue& mainQueue;
    Pasteboard& pasteboard;
    Workspace& workspace;
    FilePanels& filePanels;
    AlertPresenter& alertPresenter;
    Application& application;
    BundleResources& bundleResources;

    // Makes the hot-key registrar, once, when start-up creates the shortcut's controller.
    std::function<std::unique_ptr<HotKeyRegistering>()> makeHotKeyRegistrar;
    // Makes the login-item service, once, when the settings are first opened.
    std::function<std::unique_ptr<LaunchAtLoginServicing>()> makeLaunchAtLoginService;
    // Shows the settings window for the view model and brings it forward; the
    // view model lives as long as the delegate. Empty: no settings window.
    std::function<void(SettingsViewModel&)> showSettingsWindow;

    // Which icons the desktop can draw; null: all of them.
    std::shared_ptr<const SymbolAvailability> symbols;
    // The folder whose Samples/starter.ledgerly.md is the last starter
    // candidate; empty: the process's current folder at the time of the save.
    std::filesystem::path currentDirectory;
    // Shown as "~" in the menu; none: the HOME environment variable.
    std::optional<std::string> homeFolder;
    // The presentation gate's clock; empty: the steady clock.
    StatusMenuPresentationGate::Clock clock;
    // Where refreshes read, parse and build, and where dropped menus are
    // freed; it must outlive the delegate and post results through
    // `mainQueue`, which must outlive it. Null: all of it on the calling
    // thread, with the new menu installed before the refresh returns.
    BackgroundQueue* backgroundQueue = nullptr;
};

}  // namespace ledgerly
