#include "LedgerlyDesktop/DesktopShell.h"

#include "LedgerlyCore/App/LedgerlyAppDelegate.h"
#include "LedgerlyCore/Platform/WorkerThread.h"
#include "LedgerlyCore/Settings/HotKeyRegistrar.h"
#include "LedgerlyDesktop/ControlInterface.h"
#include "LedgerlyDesktop/LogCategories.h"
#include "LedgerlyDesktop/Menus/MenuRenderer.h"
#include "LedgerlyDesktop/Menus/SymbolIconSet.h"
#include "LedgerlyDesktop/QtApplication.h"
#include "LedgerlyDesktop/QtMainQueue.h"
#include "LedgerlyDesktop/Shortcut/HotKeyBackendFactory.h"
#include "LedgerlyDesktop/System/InstalledBundleResources.h"
#include "LedgerlyDesktop/System/QSettingsUserDefaults.h"
#include "LedgerlyDesktop/System/QtAlertPresenter.h"
#include "LedgerlyDesktop/System/QtFilePanels.h"
#include "LedgerlyDesktop/System/QtPasteboard.h"
#include "LedgerlyDesktop/System/QtWorkspace.h"
#include "LedgerlyDesktop/System/XdgAutostartLaunchAtLoginService.h"
#include "LedgerlyDesktop/Tray/DBusMenuExporter.h"
#include "LedgerlyDesktop/Tray/QtStatusItem.h"
#include "LedgerlyDesktop/Wayland/DataControlClipboard.h"
#include "LedgerlyDesktop/Wayland/LayerShellMenus.h"
#include "LedgerlyDesktop/Wayland/QtWaylandNative.h"

#include <QCoreApplication>
#include <QDBusError>
#include <QDir>
#include <QGuiApplication>

namespace ledgerly {

namespace {

// On Wayland, Qt may set the clipboard only while one of our windows has the
// focus, which a panel's menu never gives; data-control has no such rule.
std::unique_ptr<Pasteboard> makePasteboard() {
    if (isNativeWayland()) {
        if (auto clipboard = DataControlClipboard::create()) {
            return clipboard;
        }
    }
    return std::make_unique<QtPasteboard>();
}

}  // namespace

DesktopShell::Paths DesktopShell::defaultPaths() {
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    return {QSettingsUserDefaults::defaultFilePath(environment),
            XdgAutostartLaunchAtLoginService::defaultAutostartDirectory(environment),
            QCoreApplication::applicationFilePath(),
            InstalledBundleResources::defaultSearchFolders(QCoreApplication::applicationDirPath())};
}

DesktopShell::DesktopShell(const Paths& paths, QDBusConnection bus, ShowSettingsWindow showSettingsWindow)
    : bus_(std::move(bus)),
      mainQueue_(std::make_unique<QtMainQueue>()),
      worker_(std::make_unique<WorkerThread>()),
      userDefaults_(std::make_unique<QSettingsUserDefaults>(paths.settingsFile)),
      pasteboard_(makePasteboard()),
      workspace_(std::make_unique<QtWorkspace>(bus_)),
      filePanels_(std::make_unique<QtFilePanels>()),
      alertPresenter_(std::make_unique<QtAlertPresenter>()),
      application_(std::make_unique<QtApplication>()),
      bundleResources_(std::make_unique<InstalledBundleResources>(paths.resourceFolders)),
      icons_(std::make_shared<SymbolIconSet>()),
      layerShellMenus_(LayerShellMenus::create()),
      statusItem_(std::make_unique<QtStatusItem>(
          std::make_unique<MenuRenderer>(std::weak_ptr<MenuActionHandling>(), icons_),
          std::make_unique<DBusMenuExporter>(std::weak_ptr<MenuActionHandling>(), icons_, MenuRenderer::showErrorAlert),
          bus_)),
      hotKeyBackend_(makeHotKeyBackend(*mainQueue_, bus_)),
      showSettingsWindow_(std::move(showSettingsWindow)) {
    LedgerlyAppServices services{
        *statusItem_,
        *userDefaults_,
        *mainQueue_,
        *pasteboard_,
        *workspace_,
        *filePanels_,
        *alertPresenter_,
        *application_,
        *bundleResources_,
        [this] { return std::make_unique<HotKeyRegistrar>(*hotKeyBackend_, *mainQueue_); },
        [paths] {
            return std::make_unique<XdgAutostartLaunchAtLoginService>(paths.autostartFolder, paths.executableFile);
        },
        showSettingsWindow_
            ? ShowSettingsWindow([this](SettingsViewModel& viewModel) { showSettingsWindow_(viewModel); })
            : ShowSettingsWindow(),
        icons_,
        QDir::currentPath().toStdString(),
        std::nullopt,
        {},
        worker_.get(),
    };
    delegate_ = LedgerlyAppDelegate::create(std::move(services));
    if (layerShellMenus_) {
        statusItem_->setPointerLocator([menus = layerShellMenus_.get()](auto located) {
            menus->locatePointer(QGuiApplication::primaryScreen(), std::move(located));
        });
    }

    statusItem_->setActionHandler(delegate_);
    std::weak_ptr<LedgerlyAppDelegate> weak = delegate_;
    statusItem_->setMenuCallbacks(
        [weak] {
            if (const auto delegate = weak.lock()) {
                delegate->menuWillOpen();
            }
        },
        [weak] {
            if (const auto delegate = weak.lock()) {
                delegate->menuDidClose();
            }
        });
    controlObject_ = std::make_unique<QObject>();
    new ControlInterface(delegate_, controlObject_.get());

    delegate_->applicationDidFinishLaunching();
    statusItem_->show();
}

DesktopShell::~DesktopShell() {
    bus_.unregisterObject(QString::fromLatin1(ControlInterface::objectPath));
    // The settings window goes before the view model it shows, and the
    // delegate before the services it borrows.
    showSettingsWindow_ = nullptr;
    delegate_.reset();
}

void DesktopShell::publishControlObject() {
    if (!bus_.registerObject(QString::fromLatin1(ControlInterface::objectPath), controlObject_.get(),
                             QDBusConnection::ExportAdaptors)) {
        qCWarning(lcTray) << "Could not publish the control interface:" << bus_.lastError().message()
                          << "- `ledgerly --show-menu` will not reach this Ledgerly";
    }
}

LedgerlyAppDelegate& DesktopShell::delegate() const { return *delegate_; }

}  // namespace ledgerly
