#include "LedgerlyDesktop/QtWorkspace.h"

#include "LedgerlyDesktop/LogCategories.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace ledgerly {
namespace {

void openContainingFolder(const QString& filePath) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(filePath).absolutePath()));
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
            openContainingFolder(path);
        }
        finished->deleteLater();
    });
}

}  // namespace ledgerly
