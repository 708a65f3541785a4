#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace ledgerly {

class HotKeyBackend;
class InstalledBundleResources;
class LayerShellMenus;
class LedgerlyAppDelegate;
class Pasteboard;
class QSettingsUserDefaults;
class QtAlertPresenter;
class QtApplication;
class QtFilePanels;
class QtMainQueue;
class QtStatusItem;
class QtWorkspace;
class SettingsViewModel;
class SymbolIconSet;
class WorkerThread;

// The running tray application: every desktop service, the application
// delegate over them, and the control interface on the session bus.
class DesktopShell final {
public:
    struct Paths {
        QString settingsFile;         // the user defaults' INI file
        QString autostartFolder;      // where launch at login puts its entry
        QString executableFile;       // what launch at login starts
        QStringList resourceFolders;  // where the starter file is looked up
    };

    // The paths of the running executable and the user's environment.
    static Paths defaultPaths();

    // Shows the settings window for the delegate's view model; empty: no settings window.
    using ShowSettingsWindow = std::function<void(SettingsViewModel&)>;

    // Builds everything and finishes launching; create it after the QApplication.
    DesktopShell(const Paths& paths, QDBusConnection bus, ShowSettingsWindow showSettingsWindow = {});
    ~DesktopShell();
    DesktopShell(const DesktopShell&) = delete;
    DesktopShell& operator=(const DesktopShell&) = delete;

    // Publishes the control interface on the bus; the caller has claimed the bus name.
    void publishControlObject();

    LedgerlyAppDelegate& delegate() const;

private:
    QDBusConnection bus_;
    std::unique_ptr<QtMainQueue> mainQueue_;
    // Where files are read and menus built; goes after the delegate, before the queue it posts to.
    std::unique_ptr<WorkerThread> worker_;
    std::unique_ptr<QSettingsUserDefaults> userDefaults_;
    std::unique_ptr<Pasteboard> pasteboard_;
    std::unique_ptr<QtWorkspace> workspace_;
    std::unique_ptr<QtFilePanels> filePanels_;
    std::unique_ptr<QtAlertPresenter> alertPresenter_;
    std::unique_ptr<QtApplication> application_;
    std::unique_ptr<InstalledBundleResources> bundleResources_;
    std::shared_ptr<SymbolIconSet> icons_;
    // Before the status item, whose menus it places; none outside Wayland compositors with layer-shell.
    std::unique_ptr<LayerShellMenus> layerShellMenus_;
    std::unique_ptr<QtStatusItem> statusItem_;
    // Outlives the delegate, whose registrar borrows it.
    std::unique_ptr<HotKeyBackend> hotKeyBackend_;
    // Emptied before the delegate goes: the window it keeps watches the delegate's view model.
    ShowSettingsWindow showSettingsWindow_;
    std::shared_ptr<LedgerlyAppDelegate> delegate_;
    std::unique_ptr<QObject> controlObject_;
};

}  // namespace ledgerly
