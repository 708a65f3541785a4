#include "LedgerlyCore/Version.h"
#include "LedgerlyDesktop/ControlClient.h"
#include "LedgerlyDesktop/DesktopShell.h"
#include "LedgerlyDesktop/Menus/SymbolIconSet.h"
#include "LedgerlyDesktop/QtLogSink.h"
#include "LedgerlyDesktop/SettingsWindow/SettingsWindowPresenter.h"
#include "LedgerlyDesktop/System/DisplayAvailability.h"
#include "LedgerlyDesktop/System/SingleInstanceLock.h"

#include <QApplication>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDBusConnection>

#include <cstdio>

namespace {

constexpr int kExitNoDisplay = 1;
constexpr int kExitUsage = 2;

constexpr const char* kExitStatusText =
    "\n"
    "Exit status: 0 when Ledgerly was quit, was already running, showed its menu or\n"
    "printed this help or its version; 1 when there is no desktop session or\n"
    "--show-menu reaches no running Ledgerly; 2 when the command line is wrong.\n";

void setApplicationIdentity() {
    QCoreApplication::setApplicationName(QStringLiteral("ledgerly"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(ledgerly::versionString()));
}

void print(std::FILE* stream, const QString& text) { std::fputs(text.toLocal8Bit().constData(), stream); }

// What the command line asks for: to start, to pop the running one's menu,
// or to exit at once, answered (--help, --version) or refused.
struct Request {
    enum class Action { startInTray, showMenu, exit };
    Action action = Action::startInTray;
    int exitStatus = 0;
};

// Needs only a QCoreApplication, so that it works without a display.
Request readCommandLine() {
    QCommandLineParser parser;
    // "-platform" is then one unknown option, not eight unknown letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Starts Ledgerly in the tray; a second start pops the running one's menu."));
    const QCommandLineOption showMenu(
        QStringLiteral("show-menu"),
        QStringLiteral("pop the running Ledgerly's menu, as the global shortcut does, and exit"));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("print this help and exit"));
    const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("print the version and exit"));
    parser.addOptions({showMenu, help, version});

    const bool parsed = parser.parse(QCoreApplication::arguments());
    QString error = parser.errorText();
    if (parsed && !parser.positionalArguments().isEmpty()) {
        error = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst());
    }
    if (!parsed || !error.isEmpty()) {
        print(stderr, QStringLiteral("ledgerly: %1\n%2").arg(error, parser.helpText()));
        return {Request::Action::exit, kExitUsage};
    }
    if (parser.isSet(help)) {
        print(stdout, parser.helpText() + QString::fromLatin1(kExitStatusText));
        return {Request::Action::exit, 0};
    }
    if (parser.isSet(version)) {
        std::printf("ledgerly %s\n", ledgerly::versionString());
        return {Request::Action::exit, 0};
    }
    return {parser.isSet(showMenu) ? Request::Action::showMenu : Request::Action::startInTray, 0};
}

int showMenuOfRunningInstance() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    const auto outcome = bus.isConnected() ? ledgerly::requestShowMenu(bus) : ledgerly::ShowMenuRequest::notRunning;
    if (outcome == ledgerly::ShowMenuRequest::notRunning) {
        std::fputs("Ledgerly is not running.\n", stderr);
    }
    return outcome == ledgerly::ShowMenuRequest::shown ? 0 : 1;
}

int runTrayApplication(int argc, char** argv) {
    QApplication application(argc, argv);
    ledgerly::setLogSink(&ledgerly::QtLogSink::instance());
    setApplicationIdentity();
    QApplication::setApplicationDisplayName(QStringLiteral("Ledgerly"));
    QApplication::setDesktopFileName(QStringLiteral("org.ledgerly.Ledgerly"));
    QApplication::setWindowIcon(ledgerly::SymbolIconSet::applicationIcon());
    // Closing a panel or the About window must not end a tray application.
    QApplication::setQuitOnLastWindowClosed(false);

    // Held until exit; the bus name alone would let a second one start where there is no bus.
    const ledgerly::SingleInstanceLock instanceLock(QProcessEnvironment::systemEnvironment());
    QDBusConnection bus = QDBusConnection::sessionBus();
    const auto claim = bus.isConnected() ? ledgerly::claimControlName(bus) : ledgerly::ControlNameClaim::failed;
    if (instanceLock.outcome() == ledgerly::SingleInstanceLock::Outcome::heldElsewhere ||
        claim == ledgerly::ControlNameClaim::heldElsewhere) {
        if (bus.isConnected()) {
            ledgerly::requestShowMenu(bus);
        }
        std::puts("Ledgerly is already running.");
        return 0;
    }
    ledgerly::DesktopShell shell(ledgerly::DesktopShell::defaultPaths(), bus,
                                 ledgerly::SettingsWindowPresenter::makeShowFunction());
    if (claim == ledgerly::ControlNameClaim::claimed) {
        shell.publishControlObject();
    }
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
    {
        // Only for reading the command line and asking over D-Bus: it needs no display.
        const QCoreApplication commandLine(argc, argv);
        setApplicationIdentity();
        const Request request = readCommandLine();
        if (request.action == Request::Action::exit) {
            return request.exitStatus;
        }
        if (request.action == Request::Action::showMenu) {
            return showMenuOfRunningInstance();
        }
    }
    if (!ledgerly::hasDisplay(QProcessEnvironment::systemEnvironment())) {
        std::fputs(
            "Ledgerly needs a desktop session: no X11 or Wayland display was found (DISPLAY and "
            "WAYLAND_DISPLAY are unset or unreachable).\n",
            stderr);
        return kExitNoDisplay;
    }
    if (const QByteArray platform = ledgerly::preferredQtPlatform(QProcessEnvironment::systemEnvironment());
        !platform.isEmpty()) {
        qputenv("QT_QPA_PLATFORM", platform);
    }
    return runTrayApplication(argc, argv);
}
