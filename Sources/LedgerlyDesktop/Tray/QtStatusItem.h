#pragma once

#include "LedgerlyCore/Menu/Menu.h"
#include "LedgerlyCore/Menu/MenuActionHandling.h"
#include "LedgerlyCore/Platform/StatusItem.h"

#include <QDBusConnection>
#include <QObject>
#include <QPoint>
#include <QSystemTrayIcon>

#include <functional>
#include <memory>
#include <optional>

namespace ledgerly {

class DBusMenuExporter;
class MenuRenderer;
class RenderedMenu;
class StatusNotifierItem;

// The tray entry. Wherever a StatusNotifierWatcher runs (KDE Plasma, GNOME
// with AppIndicator, waybar, ...) it is our own StatusNotifierItem, whose
// menu the panel draws from DBusMenu; while none runs, an XEmbed tray icon
// on X11. It moves between the two as watchers come and go. Our own rendered
// menu serves the shortcut, ShowMenu, XEmbed clicks and hosts that ask us to
// show the menu ourselves.
class QtStatusItem final : public QObject, public StatusItem {
    Q_OBJECT

public:
    // `bus` is where the StatusNotifierItem goes; a disconnected one leaves the XEmbed icon alone.
    QtStatusItem(std::unique_ptr<MenuRenderer> renderer, std::unique_ptr<DBusMenuExporter> exporter,
                 QDBusConnection bus, QObject* parent = nullptr);
    ~QtStatusItem() override;

    bool hasButton() const override;
    // The tooltip, which hosts also read out as the entry's name.
    void setTitle(const std::string& title) override;
    void setMenu(std::shared_ptr<const Menu> menu) override;
    // Pops our own menu where a click on the entry would: under the tray icon.
    void performClick() override;

    // Where the entries of menus set from now on send their actions.
    void setActionHandler(std::weak_ptr<MenuActionHandling> handler);
    // Called as a menu opens and after it closed (its submenus do not count).
    void setMenuCallbacks(std::function<void()> willOpen, std::function<void()> didClose);
    // Puts the entry in the tray; it appears as soon as a host exists, also one that starts later.
    void show();
    // Finds where the pointer is and calls back with it (none when nobody knows), for a menu
    // that opens without a click. By default Qt's idea of it, which is right on X11 only.
    using PointerLocator = std::function<void(std::function<void(std::optional<QPoint>)> located)>;
    void setPointerLocator(PointerLocator locatePointer);

    std::string title() const;
    const Menu& menu() const;
    // The XEmbed icon while it stands in for the StatusNotifierItem; null otherwise.
    const QSystemTrayIcon* xembedIcon() const { return xembedIcon_.get(); }
    // The rendered menu that the next click shows.
    RenderedMenu* renderedMenu() const;
    // Pops our own menu with its top left corner at `position`, in screen coordinates.
    void popUpMenu(const QPoint& position);

private:
    void onXEmbedActivated(QSystemTrayIcon::ActivationReason reason);
    void onRegistrationChanged(bool registered);
    void showXEmbedIcon();
    void install(std::unique_ptr<RenderedMenu> menu);
    // Where a click on the entry would open the menu, when the tray tells.
    std::optional<QPoint> entryPosition() const;

    std::unique_ptr<MenuRenderer> renderer_;
    std::unique_ptr<DBusMenuExporter> exporter_;
    std::unique_ptr<StatusNotifierItem> statusNotifierItem_;
    std::unique_ptr<QSystemTrayIcon> xembedIcon_;
    bool shown_ = false;
    std::string title_;
    std::shared_ptr<const Menu> menu_ = std::make_shared<const Menu>();
    std::unique_ptr<RenderedMenu> rendered_;
    // A menu that arrived while the current one was open; it replaces it once that closes.
    std::unique_ptr<RenderedMenu> pending_;
    // Where the panel last asked for our menu, for a shortcut that acts as a click.
    std::optional<QPoint> lastActivation_;
    PointerLocator locatePointer_;
    std::function<void()> willOpen_;
    std::function<void()> didClose_;
};

}  // namespace ledgerly
