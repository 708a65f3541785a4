#include "LedgerlyDesktop/Tray/StatusNotifierItem.h"

#include "LedgerlyDesktop/LogCategories.h"
#include "LedgerlyDesktop/Tray/StatusNotifierItemAdaptor.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>

namespace ledgerly {
namespace {

int instanceCounter = 0;

}  // namespace

StatusNotifierItem::StatusNotifierItem(QDBusConnection bus, QObject* menuObject, QObject* parent)
    : QObject(parent), bus_(std::move(bus)), menuObject_(menuObject) {
    registerStatusNotifierTypes();
    new StatusNotifierItemAdaptor(this);
    // The name panels expect of an item: one per process and item.
    serviceName_ = QStringLiteral("org.kde.StatusNotifierItem-%1-%2")
                       .arg(QCoreApplication::applicationPid())
                       .arg(++instanceCounter);
}

StatusNotifierItem::~StatusNotifierItem() {
    if (!bus_.isConnected()) {
        return;
    }
    bus_.unregisterObject(QString::fromLatin1(objectPath));
    bus_.unregisterObject(QString::fromLatin1(menuObjectPath));
    bus_.unregisterService(serviceName_);
}

bool StatusNotifierItem::publish() {
    if (!bus_.isConnected()) {
        qCWarning(lcTray) << "no session bus: no StatusNotifierItem";
        return false;
    }
    if (!bus_.registerObject(QString::fromLatin1(objectPath), this, QDBusConnection::ExportAdaptors) ||
        !bus_.registerObject(QString::fromLatin1(menuObjectPath), menuObject_, QDBusConnection::ExportAdaptors)) {
        qCWarning(lcTray) << "could not export the StatusNotifierItem:" << bus_.lastError().message();
        return false;
    }
    if (!bus_.registerService(serviceName_)) {
        qCWarning(lcTray) << "could not claim" << serviceName_ << ":" << bus_.lastError().message();
        return false;
    }
    watcher_ = new QDBusServiceWatcher(QString::fromLatin1(watcherService), bus_,
                                       QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                if (newOwner.isEmpty()) {
                    qCDebug(lcTray) << "the StatusNotifierWatcher went away";
                    setRegistered(false);
                } else {
                    registerWithWatcher();
                }
            });
    if (watcherExists()) {
        registerWithWatcher();
    }
    return true;
}

bool StatusNotifierItem::watcherExists() const {
    return bus_.isConnected() && bus_.interface()->isServiceRegistered(QString::fromLatin1(watcherService)).value();
}

void StatusNotifierItem::registerWithWatcher() {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(watcherService), QStringLiteral("/StatusNotifierWatcher"),
        QStringLiteral("org.kde.StatusNotifierWatcher"), QStringLiteral("RegisterStatusNotifierItem"));
    call << serviceName_;
    // Asynchronous: a panel that is starting up may answer late, and the tray must not freeze meanwhile.
    auto* pending = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* finished) {
        finished->deleteLater();
        if (finished->isError()) {
            qCWarning(lcTray) << "the StatusNotifierWatcher refused the item:" << finished->error().message();
            setRegistered(false);
            return;
        }
        qCDebug(lcTray) << "registered with the StatusNotifierWatcher as" << serviceName_;
        setRegistered(true);
    });
}

void StatusNotifierItem::setRegistered(bool registered) {
    // A refusal is told even when the item was not registered before: the owner then shows another icon.
    if (registered_ == registered && registered) {
        return;
    }
    registered_ = registered;
    emit registrationChanged(registered);
}

void StatusNotifierItem::setToolTipTitle(const QString& title) {
    if (toolTipTitle_ == title) {
        return;
    }
    toolTipTitle_ = title;
    emit toolTipChanged();
}

void StatusNotifierItem::activate(QPoint position) { emit activationRequested(position); }

}  // namespace ledgerly
