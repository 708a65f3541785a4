// ledgerly-test-watcher: stands in for a panel's StatusNotifierWatcher (as
// KDE Plasma or waybar run one) on an X11 desktop, following the published
// interface: it takes the bus name and lists the items that register.

#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QStringList>

#include <cstdio>

namespace {

class Watcher final : public QObject, protected QDBusContext {
    Q_OBJECT

public:
    QStringList items;
    void registerItem(const QString& service) {
        // An item names its bus name or its object path on the caller's connection.
        const QString item = service.startsWith(QLatin1Char('/')) ? message().service() + service
                                                                  : service + QStringLiteral("/StatusNotifierItem");
        if (!items.contains(item)) {
            items.append(item);
        }
        std::printf("registered %s\n", qPrintable(item));
        std::fflush(stdout);
    }
};

class WatcherAdaptor final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ registeredItems)
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)

public:
    explicit WatcherAdaptor(Watcher* watcher) : QDBusAbstractAdaptor(watcher), watcher_(watcher) {}
    QStringList registeredItems() const { return watcher_->items; }
    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }

public slots:
    void RegisterStatusNotifierItem(const QString& service) {
        watcher_->registerItem(service);
        emit StatusNotifierItemRegistered(service);
    }
    void RegisterStatusNotifierHost(const QString&) {}

signals:
    void StatusNotifierItemRegistered(const QString& service);
    void StatusNotifierItemUnregistered(const QString& service);
    void StatusNotifierHostRegistered();
    void StatusNotifierHostUnregistered();

private:
    Watcher* watcher_;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    Watcher watcher;
    new WatcherAdaptor(&watcher);
    if (!bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcher, QDBusConnection::ExportAdaptors) ||
        !bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"))) {
        std::fputs("ledgerly-test-watcher: could not take org.kde.StatusNotifierWatcher\n", stderr);
        return 1;
    }
    return QCoreApplication::exec();
}

#include "StatusNotifierWatcherStandIn.moc"
