#include "LedgerlyDesktop/Tray/QtStatusItem.h"

#include "LedgerlyDesktop/LogCategories.h"
#include "LedgerlyDesktop/Menus/MenuRenderer.h"
#include "LedgerlyDesktop/Menus/RenderedMenu.h"
#include "LedgerlyDesktop/Menus/SymbolIconSet.h"
#include "LedgerlyDesktop/Tray/DBusMenuExporter.h"
#include "LedgerlyDesktop/Tray/StatusNotifierItem.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

namespace ledgerly {

QtStatusItem::QtStatusItem(std::unique_ptr<MenuRenderer> renderer, std::unique_ptr<DBusMenuExporter> exporter,
                           QDBusConnection bus, QObject* parent)
    : QObject(parent), renderer_(std::move(renderer)), exporter_(std::move(exporter)) {
    if (bus.isConnected()) {
        statusNotifierItem_ = std::make_unique<StatusNotifierItem>(bus, exporter_.get());
        connect(statusNotifierItem_.get(), &StatusNotifierItem::registrationChanged, this,
                &QtStatusItem::onRegistrationChanged);
        connect(statusNotifierItem_.get(), &StatusNotifierItem::activationRequested, this, [this](QPoint position) {
            lastActivation_ = position;
            popUpMenu(position);
        });
    }
    locatePointer_ = [](const std::function<void(std::optional<QPoint>)>& located) {
        const bool knowsPointer = QGuiApplication::platformName().startsWith(QLatin1String("xcb"));
        located(knowsPointer ? std::optional<QPoint>(QCursor::pos()) : std::nullopt);
    };
    install(renderer_->render(*menu_));
}

QtStatusItem::~QtStatusItem() = default;

void QtStatusItem::setPointerLocator(PointerLocator locatePointer) { locatePointer_ = std::move(locatePointer); }

bool QtStatusItem::hasButton() const { return true; }

void QtStatusItem::setTitle(const std::string& title) {
    title_ = title;
    const QString text = QString::fromStdString(title);
    if (statusNotifierItem_) {
        statusNotifierItem_->setToolTipTitle(text);
    }
    if (xembedIcon_) {
        xembedIcon_->setToolTip(text);
    }
}

std::string QtStatusItem::title() const { return title_; }

const Menu& QtStatusItem::menu() const { return *menu_; }

RenderedMenu* QtStatusItem::renderedMenu() const { return pending_ ? pending_.get() : rendered_.get(); }

void QtStatusItem::setMenu(std::shared_ptr<const Menu> menu) {
    menu_ = std::move(menu);
    exporter_->setMenu(menu_);
    auto rendered = renderer_->render(*menu_);
    if (rendered_ && rendered_->isVisible()) {
        pending_ = std::move(rendered);
        return;
    }
    install(std::move(rendered));
}

void QtStatusItem::install(std::unique_ptr<RenderedMenu> menu) {
    rendered_ = std::move(menu);
    connect(rendered_.get(), &QMenu::aboutToShow, this, [this] {
        if (willOpen_) {
            willOpen_();
        }
    });
    connect(rendered_.get(), &QMenu::aboutToHide, this, [this] {
        if (didClose_) {
            didClose_();
        }
        if (pending_) {
            // Not now: the closing menu is still inside its own event handling.
            rendered_.release()->deleteLater();
            install(std::move(pending_));
        }
    });
}

void QtStatusItem::setActionHandler(std::weak_ptr<MenuActionHandling> handler) {
    renderer_->setHandler(handler);
    exporter_->setHandler(std::move(handler));
}

void QtStatusItem::setMenuCallbacks(std::function<void()> willOpen, std::function<void()> didClose) {
    willOpen_ = std::move(willOpen);
    didClose_ = std::move(didClose);
    // A panel's drawing of the menu opens and closes like ours.
    exporter_->setMenuCallbacks(willOpen_, didClose_);
}

void QtStatusItem::show() {
    shown_ = true;
    const bool published = statusNotifierItem_ && statusNotifierItem_->publish();
    // A watcher that exists will take the item; the XEmbed icon would be a second one.
    if (!published) {
        qCDebug(lcTray) << "StatusNotifierItem not published; an XEmbed icon stands in";
        showXEmbedIcon();
    } else if (!statusNotifierItem_->watcherExists()) {
        qCDebug(lcTray) << "no StatusNotifierWatcher at start; an XEmbed icon stands in";
        showXEmbedIcon();
    }
}

void QtStatusItem::onRegistrationChanged(bool registered) {
    if (registered) {
        qCDebug(lcTray) << "StatusNotifierItem shown by a panel; no XEmbed icon";
        xembedIcon_.reset();
    } else if (shown_) {
        qCDebug(lcTray) << "no StatusNotifierWatcher; falling back to an XEmbed icon";
        showXEmbedIcon();
    }
}

void QtStatusItem::showXEmbedIcon() {
    if (xembedIcon_) {
        return;
    }
    // XEmbed trays exist only on X11; elsewhere the item waits for a watcher.
    if (!QGuiApplication::platformName().startsWith(QLatin1String("xcb"))) {
        qCWarning(lcTray) << "no panel hosts StatusNotifierItems yet, so there is no icon until one starts;"
                          << "`ledgerly --show-menu` opens the menu meanwhile";
        return;
    }
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        // Qt shows the icon by itself once a tray starts.
        qCWarning(lcTray) << "no tray on this display yet, so there is no icon until one starts;"
                          << "`ledgerly --show-menu` opens the menu meanwhile";
    }
    // Made only while no watcher exists: Qt then picks its XEmbed icon, not one of its own on D-Bus.
    xembedIcon_ = std::make_unique<QSystemTrayIcon>(SymbolIconSet::applicationIcon());
    xembedIcon_->setToolTip(QString::fromStdString(title_));
    connect(xembedIcon_.get(), &QSystemTrayIcon::activated, this, &QtStatusItem::onXEmbedActivated);
    xembedIcon_->show();
}

void QtStatusItem::popUpMenu(const QPoint& position) {
    if (rendered_->isVisible()) {
        return;
    }
    qCDebug(lcMenu) << "menu pops up at" << position;
    rendered_->popup(position);
}

std::optional<QPoint> QtStatusItem::entryPosition() const {
    // Under the icon, as a click on it would open the menu.
    if (xembedIcon_) {
        const QRect icon = xembedIcon_->geometry();
        if (icon.isValid()) {
            return icon.bottomLeft() + QPoint(0, 1);
        }
    }
    if (statusNotifierItem_ && statusNotifierItem_->isRegistered() && lastActivation_) {
        return lastActivation_;
    }
    return std::nullopt;
}

void QtStatusItem::performClick() {
    if (const auto position = entryPosition()) {
        popUpMenu(*position);
        return;
    }
    locatePointer_([guard = QPointer<QtStatusItem>(this)](std::optional<QPoint> pointer) {
        if (!guard) {
            return;
        }
        // Else where trays usually are; the menu moves left until it fits.
        const QScreen* screen = QGuiApplication::primaryScreen();
        guard->popUpMenu(pointer.value_or(screen != nullptr ? screen->geometry().topRight() : QPoint()));
    });
}

void QtStatusItem::onXEmbedActivated(QSystemTrayIcon::ActivationReason reason) {
    // Hosts that pass right clicks on report them as Context; we set no context menu of our own.
    if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::Context) {
        popUpMenu(QCursor::pos());
    }
}

}  // namespace ledgerly
