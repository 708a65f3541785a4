#include "LedgerlyDesktop/System/SingleInstanceLock.h"

#include "LedgerlyDesktop/LogCategories.h"
#include "LedgerlyDesktop/System/XdgFolders.h"

#include <QFile>
#include <QRegularExpression>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace ledgerly {
namespace {

// The display a session shows on, as a file name: ":0.0" and ":0" are one
// X display (the screen does not count), and a Wayland socket may be a path.
QString displayName(const QProcessEnvironment& environment) {
    QString display = environment.value(QStringLiteral("WAYLAND_DISPLAY"));
    if (display.isEmpty()) {
        display = environment.value(QStringLiteral("DISPLAY"));
        display.remove(QRegularExpression(QStringLiteral("\\.[0-9]+$")));
    }
    display.replace(QLatin1Char('/'), QLatin1Char('_'));
    return display.isEmpty() ? QStringLiteral("none") : display;
}

}  // namespace

SingleInstanceLock::SingleInstanceLock(const QProcessEnvironment& environment) {
    const QString path = lockFilePath(environment);
    if (path.isEmpty()) {
        qCWarning(lcTray) << "XDG_RUNTIME_DIR is not set: only the session bus keeps a second Ledgerly from starting";
        return;
    }
    // Close-on-exec: programs that Ledgerly opens links with must not keep the lock.
    descriptor_ = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (descriptor_ < 0) {
        qCWarning(lcTray) << "Could not open the instance lock" << path << ":" << std::strerror(errno);
        return;
    }
    if (::flock(descriptor_, LOCK_EX | LOCK_NB) == 0) {
        outcome_ = Outcome::acquired;
        return;
    }
    if (errno == EWOULDBLOCK) {
        outcome_ = Outcome::heldElsewhere;
    } else {
        qCWarning(lcTray) << "Could not take the instance lock" << path << ":" << std::strerror(errno);
    }
    ::close(descriptor_);
    descriptor_ = -1;
}

SingleInstanceLock::~SingleInstanceLock() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}

QString SingleInstanceLock::lockFilePath(const QProcessEnvironment& environment) {
    const QString runtimeFolder = xdg::runtimeDirectory(environment);
    if (runtimeFolder.isEmpty()) {
        return {};
    }
    return runtimeFolder + QStringLiteral("/ledgerly-") + displayName(environment) + QStringLiteral(".lock");
}

}  // namespace ledgerly
