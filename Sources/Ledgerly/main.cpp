#include "LedgerlyCore/Version.h"
#include "LedgerlyDesktop/ControlClient.h"
#include "LedgerlyDesktop/DesktopShell.h"
#include "LedgerlyDesktop/DisplayAvailability.h"
#include "LedgerlyDesktop/QtLogSink.h"
#include "LedgerlyDesktop/SettingsWindow/SettingsWindowPresenter.h"
#include "LedgerlyDesktop/SingleInstanceLock.h"
#include "LedgerlyDesktop/SymbolIconSet.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDBusConnection>

#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "Usage: ledgerly [--show-menu | --version | --help]\n"
    "  Starts Ledgerly in the tray; a second start pops the running one's menu.\n"
    "  --show-menu  pops the menu of the running Ledgerly (bind it to a key on Wayland)\n";

int showMenuOfRunningInstance(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !ledgerly::requestShowMenu(bus)) {
        std::fputs("Ledgerly is not running.\n", stderr);
        return 1;
    }
    return 0;
}

int runTrayApplication(int argc, char** argv) {
    QApplication application(argc, argv);
    ledgerly::setLogSink(&ledgerly::QtLogSink::instance());
    QApplication::setApplicationName(QStringLiteral("ledgerly"));
    QApplication::setApplicationDisplayName(QStringLiteral("Ledgerly"));
    QApplication::setApplicationVersion(QString::fromLatin1(ledgerly::versionString()));
    QApplication::setDesktopFileName(QStringLiteral("org.ledgerly.Ledgerly"));
    QApplication::setWindowIcon(ledgerly::SymbolIconSet::applicationIcon());
    // Closing a panel or the About window must not end a tray application.
    QApplication::setQuitOnLastWindowClosed(false);

    // Held until exit; the bus name alone would let a second one start where there is no bus.
    const ledgerly::SingleInstanceLock instanceLock(QProcessEnvironment::systemEnvironment());
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (instanceLock.outcome() == ledgerly::SingleInstanceLock::Outcome::heldElsewhere ||
        (bus.isConnected() && !ledgerly::claimControlName(bus))) {
        if (bus.isConnected()) {
            ledgerly::requestShowMenu(bus);
        }
        std::puts("Ledgerly is already running.");
        return 0;
    }
    ledgerly::DesktopShell shell(ledgerly::DesktopShell::defaultPaths(), bus,
                                 ledgerly::SettingsWindowPresenter::makeShowFunction());
    if (bus.isConnected()) {
        shell.publishControlObject();
    }
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view option = argc > 1 ? argv[1] : "";
    if (option == "--help" || option == "-h") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (option == "--version") {
        std::printf("ledgerly %s\n", ledgerly::versionString());
        return 0;
    }
    if (option == "--show-menu") {
        return showMenuOfRunningInstance(argc, argv);
    }
    if (!option.empty()) {
        std::fprintf(stderr, "ledgerly: unknown option %s\n%s", argv[1], kUsage);
        return 2;
    }
    if (!ledgerly::hasDisplay(QProcessEnvironment::systemEnvironment())) {
        std::fputs(
            "Ledgerly needs a desktop session: no X11 or Wayland display was found (DISPLAY and "
            "WAYLAND_DISPLAY are unset or unreachable).\n",
            stderr);
        return 1;
    }
    if (const QByteArray platform = ledgerly::preferredQtPlatform(QProcessEnvironment::systemEnvironment());
        !platform.isEmpty()) {
        qputenv("QT_QPA_PLATFORM", platform);
    }
    return runTrayApplication(argc, argv);
}
