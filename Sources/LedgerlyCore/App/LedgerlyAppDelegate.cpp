#include "LedgerlyCore/App/LedgerlyAppDelegate.h"

#include "LedgerlyCore/Menu/RefreshOutcome.h"
#include "LedgerlyCore/Platform/Log.h"
#include "LedgerlyCore/Platform/MemoryRelease.h"

#include <cstdio>
#include <stdexcept>
#include <utility>

namespace ledgerly {
namespace {

constexpr const char* kProductName = "Ledgerly";
// Dropping a menu of a file this large is worth handing its pages back.
constexpr std::size_t kLargeTextBytes = 1 << 20;

}  // namespace

std::shared_ptr<LedgerlyAppDelegate> LedgerlyAppDelegate::create(LedgerlyAppServices services) {
    if (!services.makeHotKeyRegistrar || !services.makeLaunchAtLoginService) {
        throw std::invalid_argument("LedgerlyAppDelegate needs a hot-key registrar and a login-item service");
    }
    auto delegate = std::make_shared<LedgerlyAppDelegate>(Private{}, std::move(services));
    // Only now can the builder hold the delegate weakly.
    delegate->menuBuilder_ = std::make_shared<const MenuBuilder>(
        delegate->weak_from_this(), delegate->services_.symbols,
        delegate->services_.homeFolder.value_or(MenuBuilder::homeFolderFromEnvironment()));
    return delegate;
}

LedgerlyAppDelegate::LedgerlyAppDelegate(Private, LedgerlyAppServices services)
    : services_(std::move(services)),
      fileSource_(services_.userDefaults),
      fileWatcher_(services_.mainQueue),
      urlOpener_(services_.workspace),
      settingsStore_(services_.userDefaults),
      statusMenuPresentationGate_(StatusMenuPresentationGate::defaultDrainInterval, services_.clock) {}

LedgerlyAppDelegate::~LedgerlyAppDelegate() = default;

void LedgerlyAppDelegate::applicationDidFinishLaunching() {
    setStatusTitle(kProductName);
    followSelectedFile();
    hotKeyController().applyStoredShortcut();
}

void LedgerlyAppDelegate::menuWillOpen() { statusMenuPresentationGate_.noteMenuOpened(); }

void LedgerlyAppDelegate::menuDidClose() { statusMenuPresentationGate_.noteMenuClosed(); }

void LedgerlyAppDelegate::showMenu() {
    if (statusMenuPresentationGate_.requestPresentation() && services_.statusItem.hasButton()) {
        services_.statusItem.performClick();
    }
}

void LedgerlyAppDelegate::refresh() { followSelectedFile(); }

GlobalHotKeyController& LedgerlyAppDelegate::hotKeyController() {
    if (!hotKeyController_) {
        hotKeyController_ = std::make_unique<GlobalHotKeyController>(settingsStore_, services_.makeHotKeyRegistrar(),
                                                                     [weak = weak_from_this()] {
                                                                         if (const auto self = weak.lock()) {
                                                                             self->showMenu();
                                                                         }
                                                                     });
    }
    return *hotKeyController_;
}

void LedgerlyAppDelegate::refreshDocument() {
    const auto started = RefreshClock::now();
    const std::uint64_t generation = ++*latestRefresh_;
    // Read here: the user defaults belong to the main thread.
    const auto selectedFile = fileSource_.selectedFileURL();
    if (services_.backgroundQueue != nullptr) {
        refreshInBackground(selectedFile, generation, started);
        return;
    }
    install(MenuRefresh::run(selectedFile, parser_, *menuBuilder_), started);
}

void LedgerlyAppDelegate::refreshInBackground(const std::optional<std::filesystem::path>& selectedFile,
                                              std::uint64_t generation, RefreshClock::time_point started) {
    MainQueue& mainQueue = services_.mainQueue;
    services_.backgroundQueue->submit([selectedFile, generation, started, &mainQueue, latest = latestRefresh_,
                                       builder = menuBuilder_, parser = parser_, weak = weak_from_this()] {
        if (latest->load() != generation) {
            return;  // a newer refresh is queued behind this one
        }
        auto refresh = std::make_shared<MenuRefresh>(MenuRefresh::run(selectedFile, parser, *builder));
        if (latest->load() != generation) {
            return;  // outdated while it ran: dropped here, off the main thread
        }
        mainQueue.post([weak, refresh, generation, started] {
            const auto self = weak.lock();
            if (!self) {
                return;
            }
            if (self->latestRefresh_->load() == generation) {
                self->install(std::move(*refresh), started);
            } else {  // outdated on its way here: freed on the worker all the same
                self->dispose(std::move(refresh->outcome.menuState),
                              std::make_shared<const Menu>(std::move(refresh->menu)), FreedMemory::keptForReuse);
            }
        });
    });
}

void LedgerlyAppDelegate::install(MenuRefresh refresh, RefreshClock::time_point started) {
    const auto swapStarted = RefreshClock::now();
    LedgerlyMenuState previousState = std::exchange(menuState_, std::move(refresh.outcome.menuState));
    setStatusTitle(refresh.outcome.statusTitle);
    std::shared_ptr<const Menu> previousMenu =
        std::exchange(menu_, std::make_shared<const Menu>(std::move(refresh.menu)));
    services_.statusItem.setMenu(menu_);
    const bool shrank = installedTextBytes_ >= kLargeTextBytes && refresh.textBytes < installedTextBytes_;
    installedTextBytes_ = refresh.textBytes;
    dispose(std::move(previousState), std::move(previousMenu),
            shrank ? FreedMemory::returnedToSystem : FreedMemory::keptForReuse);

    if (isLogEnabled(LogCategory::timing, LogLevel::debug)) {
        const auto now = RefreshClock::now();
        const auto milliseconds = [](auto duration) {
            return std::chrono::duration<double, std::milli>(duration).count();
        };
        char tail[96];
        std::snprintf(tail, sizeof tail, ", installed %.2f ms; change to menu %.2f ms", milliseconds(now - swapStarted),
                      milliseconds(now - started));
        logDebug(LogCategory::timing, "refresh: " + refresh.describeTimings() + tail);
    }
}

void LedgerlyAppDelegate::dispose(LedgerlyMenuState state, std::shared_ptr<const Menu> menu, FreedMemory freedMemory) {
    if (services_.backgroundQueue == nullptr) {
        return;  // freed on the way out of here
    }
    auto previous =
        std::make_shared<std::pair<LedgerlyMenuState, std::shared_ptr<const Menu>>>(std::move(state), std::move(menu));
    services_.backgroundQueue->submit([previous = std::move(previous), freedMemory]() mutable {
        previous.reset();
        if (freedMemory == FreedMemory::returnedToSystem) {
            returnFreeMemoryToSystem();
        }
    });
}

void LedgerlyAppDelegate::restartWatcher() {
    const auto selectedFile = fileSource_.selectedFileURL();
    if (!selectedFile) {
        fileWatcher_.stop();
        return;
    }
    // Editors save by renaming a new file onto the path, which ends a watch
    // of the old file; a missing file is awaited in its folder.
    fileWatcher_.watchOrAwaitCreation(*selectedFile, [weak = weak_from_this()] {
        if (const auto self = weak.lock()) {
            self->followSelectedFile();
        }
    });
}

void LedgerlyAppDelegate::followSelectedFile() {
    // Armed before the read, so that a change made while reading and building
    // the menu is reported too rather than lost until the next one.
    restartWatcher();
    refreshDocument();
}

void LedgerlyAppDelegate::setStatusTitle(const std::string& title) {
    statusTitle_ = title;
    if (services_.statusItem.hasButton()) {
        services_.statusItem.setTitle(title);
    }
}

}  // namespace ledgerly
