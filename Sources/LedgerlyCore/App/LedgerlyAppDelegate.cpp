#include "LedgerlyCore/App/LedgerlyAppDelegate.h"

#include "LedgerlyCore/Menu/RefreshOutcome.h"

#include <stdexcept>
#include <utility>

namespace ledgerly {
namespace {

constexpr const char* kProductName = "Ledgerly";

}  // namespace

std::shared_ptr<LedgerlyAppDelegate> LedgerlyAppDelegate::create(LedgerlyAppServices services) {
    if (!services.makeHotKeyRegistrar || !services.makeLaunchAtLoginService) {
        throw std::invalid_argument("LedgerlyAppDelegate needs a hot-key registrar and a login-item service");
    }
    auto delegate = std::make_shared<LedgerlyAppDelegate>(Private{}, std::move(services));
    // Only now can the builder hold the delegate weakly.
    delegate->menuBuilder_ = std::make_unique<MenuBuilder>(
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
    const auto selectedFile = fileSource_.selectedFileURL();
    RefreshOutcome outcome = RefreshOutcome::load([this] { return fileSource_.loadSelectedMarkdown(); }, selectedFile,
                                                  [this](std::string_view text) { return parser_.parse(text); });
    menuState_ = std::move(outcome.menuState);
    setStatusTitle(outcome.statusTitle);
    rebuildMenu();
}

void LedgerlyAppDelegate::rebuildMenu() {
    menu_ = menuBuilder_->buildMenu(menuState_, fileSource_.selectedFileURL());
    services_.statusItem.setMenu(menu_);
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
