#include "LedgerlyDesktop/System/QtWorkspace.h"

#include "LedgerlyDesktop/LogCategories.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace ledgerly {
namespace {

void openContainingFolder(const QString& filePath) {
    const QUrl folder = QUrl::fromLocalFile(QFileInfo(filePath).absolutePath());
    if (!QDesktopServices::openUrl(folder)) {
        qCWarning(lcMenu) << "No application opened the folder" << folder.toString(QUrl::FullyEncoded);
    }
}

}  // namespace

QtWorkspace::QtWorkspace(QDBusConnection bus) : bus_(std::move(bus)) {}

void QtWorkspace::openURL(const std::string& urlString) {
    const QUrl url(QString::fromStdString(urlString), QUrl::StrictMode);
    if (!url.isValid()) {
        qCWarning(lcMenu) << "Not opening" << QString::fromStdString(urlString) << ":" << url.errorString();
        return;
    }
    if (!QDesktopServices::openUrl(url)) {
        qCWarning(lcMenu) << "No application opened" << url.toString(QUrl::FullyEncoded);
    }
}

void QtWorkspace::revealInFileManager(const std::filesystem::path& file) {
    const QString path = QString::fromStdString(file.string());
    if (!bus_.isConnected()) {
        qCDebug(lcMenu) << "No session bus to ask a file manager; opening the folder instead";
        openContainingFolder(path);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded)} << QString();
    // Asynchronous: an activatable file manager may take a while to start, and the menu must not freeze.
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), nullptr);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, [path](QDBusPendingCallWatcher* finished) {
        if (finished->isError()) {
            // Many desktops have no file manager that offers ShowItems: a routine fallback.
            const QDBusError error = finished->error();
            if (error.type() == QDBusError::ServiceUnknown) {
                qCDebug(lcMenu) << "No file manager offers ShowItems; opening the folder instead";
            } else {
                qCWarning(lcMenu).noquote()
                    << QStringLiteral("The file manager did not show %1 (%2: %3); opening the folder instead")
                           .arg(path, error.name(), error.message());
            }
            openContainingFolder(path);
        }
        finished->deleteLater();
    });
}

}  // namespace ledgerly
