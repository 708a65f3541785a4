#pragma once

#include "LedgerlyCore/App/LedgerlyAppServices.h"
#include "LedgerlyCore/App/MenuRefresh.h"
#include "LedgerlyCore/App/StatusMenuPresentationGate.h"
#include "LedgerlyCore/Files/FileSource.h"
#include "LedgerlyCore/Links/URLOpener.h"
#include "LedgerlyCore/Menu/LedgerlyMenuState.h"
#include "LedgerlyCore/Menu/Menu.h"
#include "LedgerlyCore/Menu/MenuActionHandling.h"
#include "LedgerlyCore/Menu/MenuBuilder.h"
#include "LedgerlyCore/Parsing/MarkdownParser.h"
#include "LedgerlyCore/Platform/FileWatcher.h"
#include "LedgerlyCore/Settings/GlobalHotKeyController.h"
#include "LedgerlyCore/Settings/LedgerlySettingsStore.h"
#include "LedgerlyCore/Settings/SettingsViewModel.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace ledgerly {

// Owns every long-lived service of the application and runs its logic: reads
// the selected file into the menu state, keeps the status item's title and
// menu current, follows the file on disk, answers the menu's actions and pops
// the menu for the global shortcut. Main thread only; with a background
// queue, refreshes read, parse and build there and the main thread only
// swaps the finished menu in, the newest refresh winning.
//
// Lives in a shared_ptr: the menu's entries, the watcher's handler and the
// shortcut's action hold it weakly and do nothing once it is gone.
class LedgerlyAppDelegate final : public MenuActionHandling, public std::enable_shared_from_this<LedgerlyAppDelegate> {
public:
    // Builds the services; reads, builds and registers nothing yet. Throws
    // std::invalid_argument when a factory of `services` is missing.
    static std::shared_ptr<LedgerlyAppDelegate> create(LedgerlyAppServices services);
    ~LedgerlyAppDelegate() override;

    // Start-up: the title "Ledgerly", the watcher, the first refresh and menu,
    // then the hot-key controller with the stored shortcut.
    void applicationDidFinishLaunching();
    // The status menu's callbacks; the desktop calls them for the top-level menu only.
    void menuWillOpen();
    void menuDidClose();

    // Pops the menu as a click would, if the presentation gate allows it now:
    // what a press of the global shortcut does.
    void showMenu();
    // Re-arms the watcher and reads the selected file again, as "Refresh" does.
    void refresh();

    void openURLFromMenuItem(const MenuEntry& sender) override;
    void copyTextFromMenuItem(const MenuEntry& sender) override;
    void copyWarningFromMenuItem(const MenuEntry& sender) override;
    void refreshNow(const MenuEntry& sender) override;
    void chooseMarkdownFile(const MenuEntry& sender) override;
    void saveStarterFile(const MenuEntry& sender) override;
    void revealMarkdownFile(const MenuEntry& sender) override;
    void showAbout(const MenuEntry& sender) override;
    void openSettings(const MenuEntry& sender) override;
    void quitApp(const MenuEntry& sender) override;

    // The outcome of the last refresh; noFileSelected before the first.
    const LedgerlyMenuState& menuState() const { return menuState_; }
    // The title last chosen for the status item (also when it has no button); "" before start-up.
    const std::string& statusTitle() const { return statusTitle_; }
    // The menu last installed; empty before the first refresh.
    const Menu& menu() const { return *menu_; }
    // The file the user selected, none when none is.
    std::optional<std::filesystem::path> selectedFileURL() const { return fileSource_.selectedFileURL(); }
    // The shortcut's controller, created on first use and then kept.
    GlobalHotKeyController& hotKeyController();
    bool hasHotKeyController() const { return static_cast<bool>(hotKeyController_); }
    LedgerlySettingsStore& settingsStore() { return settingsStore_; }
    const StatusMenuPresentationGate& presentationGate() const { return statusMenuPresentationGate_; }
    const FileWatcher& fileWatcher() const { return fileWatcher_; }
    // The settings' view model, none until the settings were first opened.
    SettingsViewModel* settingsViewModel() { return settingsViewModel_.get(); }

private:
    struct Private {};

public:
    // Use create(): the delegate must live in a shared_ptr.
    LedgerlyAppDelegate(Private, LedgerlyAppServices services);

private:
    using RefreshClock = std::chrono::steady_clock;

    void refreshDocument();
    // Reads, parses and builds on the background queue; the result is installed
    // unless a newer refresh started meanwhile.
    void refreshInBackground(const std::optional<std::filesystem::path>& selectedFile, std::uint64_t generation,
                             RefreshClock::time_point started);
    void install(MenuRefresh refresh, RefreshClock::time_point started);
    // What becomes of the memory a disposed menu leaves free.
    enum class FreedMemory { keptForReuse, returnedToSystem };
    // Frees the previous state and menu away from the main thread, when there is a background queue.
    void dispose(LedgerlyMenuState state, std::shared_ptr<const Menu> menu, FreedMemory freedMemory);
    void restartWatcher();
    // Watches the selected file, then reads it into the menu: what every refresh does.
    void followSelectedFile();
    void setStatusTitle(const std::string& title);
    void copyToPasteboard(const MenuEntry& sender);
    void selectFile(const std::filesystem::path& file);
    void showStarterFileError(const std::string& message, const std::string& informativeText);
    void showSettings();

    LedgerlyAppServices services_;
    MarkdownParser parser_;
    FileSource fileSource_;
    FileWatcher fileWatcher_;
    URLOpener urlOpener_;
    LedgerlySettingsStore settingsStore_;
    StatusMenuPresentationGate statusMenuPresentationGate_;
    LedgerlyMenuState menuState_;
    std::shared_ptr<const MenuBuilder> menuBuilder_;
    // Counts refreshes; a result is installed only while its number is the newest.
    std::shared_ptr<std::atomic<std::uint64_t>> latestRefresh_ = std::make_shared<std::atomic<std::uint64_t>>(0);
    std::size_t installedTextBytes_ = 0;
    // The controller before the view model that refers to it, so that it goes last.
    std::unique_ptr<GlobalHotKeyController> hotKeyController_;
    std::unique_ptr<SettingsViewModel> settingsViewModel_;
    std::string statusTitle_;
    // Shared with the status item: a large menu is never copied.
    std::shared_ptr<const Menu> menu_ = std::make_shared<const Menu>();
};

}  // namespace ledgerly
