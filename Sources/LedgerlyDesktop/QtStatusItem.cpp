#include "LedgerlyDesktop/QtStatusItem.h"

#include "LedgerlyDesktop/MenuRenderer.h"
#include "LedgerlyDesktop/RenderedMenu.h"
#include "LedgerlyDesktop/SymbolIconSet.h"

#include <QCursor>

namespace ledgerly {

QtStatusItem::QtStatusItem(std::unique_ptr<MenuRenderer> renderer, QObject* parent)
    : QObject(parent), renderer_(std::move(renderer)), trayIcon_(SymbolIconSet::applicationIcon()) {
    connect(&trayIcon_, &QSystemTrayIcon::activated, this, &QtStatusItem::onActivated);
    install(renderer_->render(*menu_));
}

QtStatusItem::~QtStatusItem() = default;

bool QtStatusItem::hasButton() const { return true; }

void QtStatusItem::setTitle(const std::string& title) {
    title_ = title;
    trayIcon_.setToolTip(QString::fromStdString(title));
}

std::string QtStatusItem::title() const { return title_; }

const QSystemTrayIcon& QtStatusItem::trayIcon() const { return trayIcon_; }

const Menu& QtStatusItem::menu() const { return *menu_; }

RenderedMenu* QtStatusItem::renderedMenu() const { return pending_ ? pending_.get() : rendered_.get(); }

void QtStatusItem::setMenu(std::shared_ptr<const Menu> menu) {
    menu_ = std::move(menu);
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
    renderer_->setHandler(std::move(handler));
}

void QtStatusItem::setMenuCallbacks(std::function<void()> willOpen, std::function<void()> didClose) {
    willOpen_ = std::move(willOpen);
    didClose_ = std::move(didClose);
}

void QtStatusItem::show() { trayIcon_.show(); }

void QtStatusItem::popUpMenu(const QPoint& position) {
    if (rendered_->isVisible()) {
        return;
    }
    rendered_->popup(position);
}

void QtStatusItem::performClick() { popUpMenu(QCursor::pos()); }

void QtStatusItem::onActivated(QSystemTrayIcon::ActivationReason reason) {
    // Hosts that pass right clicks on report them as Context; we set no context menu of our own.
    if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::Context) {
        performClick();
    }
}

}  // namespace ledgerly
