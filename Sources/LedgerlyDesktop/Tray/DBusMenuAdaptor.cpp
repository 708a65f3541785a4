#include "LedgerlyDesktop/Tray/DBusMenuAdaptor.h"

#include "LedgerlyDesktop/Tray/DBusMenuExporter.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QGuiApplication>

namespace ledgerly {

DBusMenuAdaptor::DBusMenuAdaptor(DBusMenuExporter* exporter) : QDBusAbstractAdaptor(exporter), exporter_(exporter) {
    setAutoRelaySignals(false);
    connect(exporter, &DBusMenuExporter::layoutUpdated, this, &DBusMenuAdaptor::LayoutUpdated);
}

QString DBusMenuAdaptor::textDirection() const {
    return QGuiApplication::layoutDirection() == Qt::RightToLeft ? QStringLiteral("rtl") : QStringLiteral("ltr");
}

void DBusMenuAdaptor::failUnknownId(int id) {
    if (calledFromDBus()) {
        sendErrorReply(QDBusError::InvalidArgs, QStringLiteral("No menu entry with id %1").arg(id));
    }
}

uint DBusMenuAdaptor::GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                                ledgerly::DBusMenuLayoutItem& layout) {
    if (auto found = exporter_->layout(parentId, recursionDepth, propertyNames)) {
        layout = std::move(*found);
    } else {
        failUnknownId(parentId);
    }
    return exporter_->revision();
}

QList<ledgerly::DBusMenuItemProperties> DBusMenuAdaptor::GetGroupProperties(const QList<int>& ids,
                                                                            const QStringList& propertyNames) {
    return exporter_->groupProperties(ids, propertyNames);
}

QDBusVariant DBusMenuAdaptor::GetProperty(int id, const QString& name) {
    if (auto value = exporter_->property(id, name)) {
        return QDBusVariant(*value);
    }
    failUnknownId(id);
    return QDBusVariant(QVariant(QString()));
}

void DBusMenuAdaptor::Event(int id, const QString& eventId, const QDBusVariant&, uint) {
    exporter_->handleEvent(id, eventId);
}

QList<int> DBusMenuAdaptor::EventGroup(const QList<ledgerly::DBusMenuEvent>& events) {
    QList<int> idErrors;
    for (const DBusMenuEvent& event : events) {
        if (!exporter_->handleEvent(event.id, event.eventId)) {
            idErrors.append(event.id);
        }
    }
    return idErrors;
}

bool DBusMenuAdaptor::AboutToShow(int) {
    // Every level is complete as served; nothing is made on demand that the panel must fetch again.
    return false;
}

QList<int> DBusMenuAdaptor::AboutToShowGroup(const QList<int>&, QList<int>& idErrors) {
    idErrors.clear();
    return {};
}

}  // namespace ledgerly
