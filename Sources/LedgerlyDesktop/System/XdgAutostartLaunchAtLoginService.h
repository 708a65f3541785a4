#pragma once

#include "LedgerlyCore/Settings/LaunchAtLoginServicing.h"

#include <QProcessEnvironment>
#include <QString>

#include <stdexcept>

namespace ledgerly {

// Thrown when the autostart entry could not be written or removed.
class LaunchAtLoginError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Launch at login through an XDG autostart entry, which every freedesktop
// session manager (GNOME, KDE, Xfce, LXQt ...) starts at login. The entry is
// named after the application's id; one under the name older versions wrote
// counts too, and is replaced when the setting changes.
class XdgAutostartLaunchAtLoginService final : public LaunchAtLoginServicing {
public:
    // `autostartDirectory` holds the entry; `executablePath` is what it starts.
    XdgAutostartLaunchAtLoginService(QString autostartDirectory, QString executablePath);

    // $XDG_CONFIG_HOME/autostart, or ~/.config/autostart when unset.
    static QString defaultAutostartDirectory(const QProcessEnvironment& environment);
    // The desktop entry that starts `executablePath`.
    static QString desktopEntry(const QString& executablePath);

    bool isEnabled() const override;
    void setEnabled(bool enabled) override;

    QString entryPath() const;
    QString olderEntryPath() const;

private:
    static bool startsAtLogin(const QString& path);
    static void removeFile(const QString& path);
    void writeEntry() const;

    QString autostartDirectory_;
    QString executablePath_;
};

}  // namespace ledgerly
