#include "LedgerlyDesktop/Tray/StatusNotifierItemAdaptor.h"

#include "LedgerlyDesktop/LogCategories.h"
#include "LedgerlyDesktop/Menus/SymbolIconSet.h"
#include "LedgerlyDesktop/Tray/StatusNotifierItem.h"

#include <QIcon>

namespace ledgerly {

StatusNotifierItemAdaptor::StatusNotifierItemAdaptor(StatusNotifierItem* item)
    : QDBusAbstractAdaptor(item), item_(item), pixmaps_(statusNotifierPixmaps(SymbolIconSet::applicationIcon())) {
    setAutoRelaySignals(false);
    connect(item, &StatusNotifierItem::toolTipChanged, this, &StatusNotifierItemAdaptor::NewToolTip);
}

QDBusObjectPath StatusNotifierItemAdaptor::menu() const {
    return QDBusObjectPath(QString::fromLatin1(StatusNotifierItem::menuObjectPath));
}

StatusNotifierPixmaps StatusNotifierItemAdaptor::iconPixmap() const { return pixmaps_; }

StatusNotifierToolTip StatusNotifierItemAdaptor::toolTip() const {
    return {QStringLiteral("ledgerly"), pixmaps_, item_->toolTipTitle(), {}};
}

void StatusNotifierItemAdaptor::Activate(int x, int y) { item_->activate(QPoint(x, y)); }

void StatusNotifierItemAdaptor::ContextMenu(int x, int y) { item_->activate(QPoint(x, y)); }

void StatusNotifierItemAdaptor::SecondaryActivate(int x, int y) {
    qCDebug(lcTray) << "middle click on the item at" << x << y << "ignored";
}

void StatusNotifierItemAdaptor::Scroll(int delta, const QString& orientation) {
    qCDebug(lcTray) << "scroll on the item ignored:" << delta << orientation;
}

void StatusNotifierItemAdaptor::ProvideXdgActivationToken(const QString&) {}

}  // namespace ledgerly
