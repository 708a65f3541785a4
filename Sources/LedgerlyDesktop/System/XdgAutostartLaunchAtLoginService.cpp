#include "LedgerlyDesktop/System/XdgAutostartLaunchAtLoginService.h"

#include "LedgerlyDesktop/System/XdgFolders.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

#include <algorithm>

namespace ledgerly {
namespace {

// Named after the application's id, like its installed desktop entry.
constexpr QLatin1String entryFileName("org.ledgerly.Ledgerly.desktop");
// The name older versions wrote. The session still starts such an entry, so
// it still counts as enabled until it is replaced or switched off.
constexpr QLatin1String olderEntryFileName("ledgerly.desktop");

// Exec= quoting of freedesktop desktop entries: quote the argument when
// it holds a reserved character, escape ", `, $ and \ inside the quotes, then
// escape \ again for the string type, and double % so no field code remains.
QString quotedExecArgument(const QString& argument) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString escaped = argument;
    escaped.replace(QLatin1Char('%'), QStringLiteral("%%"));
    const bool needsQuotes = std::any_of(escaped.begin(), escaped.end(), [](QChar c) { return reserved.contains(c); });
    if (!needsQuotes) {
        return escaped;
    }
    QString quoted;
    for (const QChar c : escaped) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\')) {
            quoted += QLatin1Char('\\');
        }
        quoted += c;
    }
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

bool isHiddenEntry(QFile& file) {
    QTextStream stream(&file);
    bool inMainGroup = false;
    while (!stream.atEnd()) {
        const QString line = stream.readLine().trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
        } else if (inMainGroup && line.section(QLatin1Char('='), 0, 0).trimmed() == QLatin1String("Hidden")) {
            return line.section(QLatin1Char('='), 1).trimmed() == QLatin1String("true");
        }
    }
    return false;
}

}  // namespace

XdgAutostartLaunchAtLoginService::XdgAutostartLaunchAtLoginService(QString autostartDirectory, QString executablePath)
    : autostartDirectory_(std::move(autostartDirectory)), executablePath_(std::move(executablePath)) {}

QString XdgAutostartLaunchAtLoginService::defaultAutostartDirectory(const QProcessEnvironment& environment) {
    return xdg::configHome(environment) + QStringLiteral("/autostart");
}

QString XdgAutostartLaunchAtLoginService::desktopEntry(const QString& executablePath) {
    return QStringLiteral(
               "[Desktop Entry]\n"
               "Type=Application\n"
               "Name=Ledgerly\n"
               "Comment=Your bookmarks from one Markdown file, one click away in the tray\n"
               "Exec=%1\n"
               "Icon=ledgerly\n"
               "Terminal=false\n"
               "X-GNOME-Autostart-enabled=true\n")
        .arg(quotedExecArgument(executablePath));
}

QString XdgAutostartLaunchAtLoginService::entryPath() const {
    return autostartDirectory_ + QLatin1Char('/') + entryFileName;
}

QString XdgAutostartLaunchAtLoginService::olderEntryPath() const {
    return autostartDirectory_ + QLatin1Char('/') + olderEntryFileName;
}

bool XdgAutostartLaunchAtLoginService::isEnabled() const {
    return startsAtLogin(entryPath()) || startsAtLogin(olderEntryPath());
}

void XdgAutostartLaunchAtLoginService::setEnabled(bool enabled) {
    if (enabled) {
        writeEntry();
    } else {
        removeFile(entryPath());
    }
    // An older entry beside the new one would start Ledgerly twice.
    removeFile(olderEntryPath());
}

bool XdgAutostartLaunchAtLoginService::startsAtLogin(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return false;
    }
    return !isHiddenEntry(file);
}

void XdgAutostartLaunchAtLoginService::writeEntry() const {
    if (!QDir().mkpath(autostartDirectory_)) {
        throw LaunchAtLoginError("Could not create " + autostartDirectory_.toStdString());
    }
    // QSaveFile writes a temporary file and renames it: the entry is replaced whole or not at all.
    QSaveFile file(entryPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        throw LaunchAtLoginError(file.errorString().toStdString());
    }
    file.write(desktopEntry(executablePath_).toUtf8());
    if (!file.commit()) {
        throw LaunchAtLoginError(file.errorString().toStdString());
    }
}

void XdgAutostartLaunchAtLoginService::removeFile(const QString& path) {
    QFile file(path);
    if (!file.exists()) {
        return;
    }
    if (!file.remove()) {
        throw LaunchAtLoginError(file.errorString().toStdString());
    }
}

}  // namespace ledgerly
