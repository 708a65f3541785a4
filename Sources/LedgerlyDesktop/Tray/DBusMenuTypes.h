#pragma once

#include <QDBusArgument>
#include <QDBusVariant>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace ledgerly {

// The structures of com.canonical.dbusmenu, as the interface spells them.

// (ia{sv}av): an entry, its properties and its children (each a variant holding the same structure).
struct DBusMenuLayoutItem {
    int id = 0;
    QVariantMap properties;
    QList<DBusMenuLayoutItem> children;
};

// (ia{sv}): an entry's properties.
struct DBusMenuItemProperties {
    int id = 0;
    QVariantMap properties;
};
using DBusMenuItemPropertiesList = QList<DBusMenuItemProperties>;

// (ias): the names of properties an entry no longer has.
struct DBusMenuItemKeys {
    int id = 0;
    QStringList properties;
};
using DBusMenuItemKeysList = QList<DBusMenuItemKeys>;

// (isvu): one event of EventGroup.
struct DBusMenuEvent {
    int id = 0;
    QString eventId;
    QDBusVariant data;
    uint timestamp = 0;
};
using DBusMenuEventList = QList<DBusMenuEvent>;

// aas: key chords, each the modifier names then the key's name.
using DBusMenuShortcut = QList<QStringList>;

QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuLayoutItem& item);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuLayoutItem& item);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuItemProperties& item);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuItemProperties& item);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuItemKeys& keys);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuItemKeys& keys);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuEvent& event);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuEvent& event);

// Registers the types above with QtDBus; call before exporting a menu.
void registerDBusMenuTypes();

}  // namespace ledgerly

Q_DECLARE_METATYPE(ledgerly::DBusMenuLayoutItem)
Q_DECLARE_METATYPE(ledgerly::DBusMenuItemProperties)
Q_DECLARE_METATYPE(ledgerly::DBusMenuItemPropertiesList)
Q_DECLARE_METATYPE(ledgerly::DBusMenuItemKeys)
Q_DECLARE_METATYPE(ledgerly::DBusMenuItemKeysList)
Q_DECLARE_METATYPE(ledgerly::DBusMenuEvent)
Q_DECLARE_METATYPE(ledgerly::DBusMenuEventList)
