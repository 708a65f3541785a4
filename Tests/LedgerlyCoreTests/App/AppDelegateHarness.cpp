#include "App/AppDelegateHarness.h"

#include "LedgerlyCore/Settings/HotKeyRegistrar.h"

namespace ledgerly::testing {

AppDelegateHarness::AppDelegateHarness(MainQueue* queue) : queue(queue != nullptr ? *queue : fakeQueue) {
    std::filesystem::create_directory(currentDirectory);
}

LedgerlyAppServices AppDelegateHarness::services() {
    return LedgerlyAppServices{
        .statusItem = statusItem,
        .userDefaults = defaults,
        .mainQueue = queue,
        .pasteboard = pasteboard,
        .workspace = workspace,
        .filePanels = panels,
        .alertPresenter = alerts,
        .application = application,
        .bundleResources = bundle,
        .makeHotKeyRegistrar = [this]() -> std::unique_ptr<HotKeyRegistering> {
            log.record("makeHotKeyRegistrar");
            ++registrarsMade;
            return std::make_unique<HotKeyRegistrar>(hotKeyBackend, queue);
        },
        .makeLaunchAtLoginService = [this]() -> std::unique_ptr<LaunchAtLoginServicing> {
            ++loginServicesMade;
            return std::make_unique<FakeLaunchAtLoginService>(loginItem);
        },
        .showSettingsWindow =
            [this](SettingsViewModel& viewModel) {
                log.record("showSettingsWindow");
                settingsWindowsShown.push_back(&viewModel);
            },
        .symbols = nullptr,
        .currentDirectory = currentDirectory,
        .homeFolder = std::string("/home/tester"),
        .clock = [this] { return clockReading; },
    };
}

LedgerlyAppDelegate& AppDelegateHarness::make() {
    delegate = LedgerlyAppDelegate::create(services());
    return *delegate;
}

LedgerlyAppDelegate& AppDelegateHarness::launch() {
    make().applicationDidFinishLaunching();
    return *delegate;
}

std::filesystem::path AppDelegateHarness::select(const std::string& name, const std::string& text) {
    const auto path = folder.writeFile(name, text);
    defaults.setString("selectedMarkdownPath", path.string());
    return path;
}

std::optional<std::string> AppDelegateHarness::storedPath() const { return defaults.string("selectedMarkdownPath"); }

MenuEntry entryCarrying(std::optional<std::string> representedObject) {
    MenuEntry entry = MenuEntry::item("entry");
    entry.representedObject = std::move(representedObject);
    return entry;
}

}  // namespace ledgerly::testing
