#pragma once

#include <QByteArray>
#include <QDBusArgument>
#include <QList>
#include <QMetaType>
#include <QString>

class QIcon;

namespace ledgerly {

// The structures of org.kde.StatusNotifierItem.

// (iiay): an icon of `width` by `height`, ARGB32 in network byte order.
struct StatusNotifierPixmap {
    int width = 0;
    int height = 0;
    QByteArray argb32;
};
using StatusNotifierPixmaps = QList<StatusNotifierPixmap>;

// (sa(iiay)ss): a tooltip's icon name, icons, title and text.
struct StatusNotifierToolTip {
    QString iconName;
    StatusNotifierPixmaps iconPixmaps;
    QString title;
    QString description;
};

QDBusArgument& operator<<(QDBusArgument& argument, const StatusNotifierPixmap& pixmap);
const QDBusArgument& operator>>(const QDBusArgument& argument, StatusNotifierPixmap& pixmap);
QDBusArgument& operator<<(QDBusArgument& argument, const StatusNotifierToolTip& toolTip);
const QDBusArgument& operator>>(const QDBusArgument& argument, StatusNotifierToolTip& toolTip);

// `icon` drawn at the sizes panels ask for.
StatusNotifierPixmaps statusNotifierPixmaps(const QIcon& icon);

// Registers the types above with QtDBus; call before exporting an item.
void registerStatusNotifierTypes();

}  // namespace ledgerly

Q_DECLARE_METATYPE(ledgerly::StatusNotifierPixmap)
Q_DECLARE_METATYPE(ledgerly::StatusNotifierToolTip)
