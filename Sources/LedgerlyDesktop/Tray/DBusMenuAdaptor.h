#pragma once

#include "LedgerlyDesktop/Tray/DBusMenuTypes.h"

#include <QDBusAbstractAdaptor>
#include <QDBusContext>
#include <QDBusVariant>

namespace ledgerly {

class DBusMenuExporter;

// com.canonical.dbusmenu on the exporter's object: what a StatusNotifierItem
// panel reads to draw our menu, and sends back when an entry is chosen.
class DBusMenuAdaptor final : public QDBusAbstractAdaptor, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ version)
    Q_PROPERTY(QString TextDirection READ textDirection)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(QStringList IconThemePath READ iconThemePath)

public:
    // Attaches to `exporter`, which owns the adaptor.
    explicit DBusMenuAdaptor(DBusMenuExporter* exporter);

    uint version() const { return 3; }
    QString textDirection() const;
    QString status() const { return QStringLiteral("normal"); }
    QStringList iconThemePath() const { return {}; }

public slots:
    uint GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                   ledgerly::DBusMenuLayoutItem& layout);
    QList<ledgerly::DBusMenuItemProperties> GetGroupProperties(const QList<int>& ids, const QStringList& propertyNames);
    QDBusVariant GetProperty(int id, const QString& name);
    void Event(int id, const QString& eventId, const QDBusVariant& data, uint timestamp);
    QList<int> EventGroup(const QList<ledgerly::DBusMenuEvent>& events);
    bool AboutToShow(int id);
    QList<int> AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors);

signals:
    void ItemsPropertiesUpdated(const QList<ledgerly::DBusMenuItemProperties>& updatedProps,
                                const QList<ledgerly::DBusMenuItemKeys>& removedProps);
    void LayoutUpdated(uint revision, int parent);
    void ItemActivationRequested(int id, uint timestamp);

private:
    // Replies to the call being handled with an error, as the interface expects for unknown ids.
    void failUnknownId(int id);

    DBusMenuExporter* exporter_;
};

}  // namespace ledgerly
