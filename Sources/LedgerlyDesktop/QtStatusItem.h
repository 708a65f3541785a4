#pragma once

#include "LedgerlyCore/Menu/Menu.h"
#include "LedgerlyCore/Menu/MenuActionHandling.h"
#include "LedgerlyCore/Platform/StatusItem.h"

#include <QObject>
#include <QPoint>
#include <QSystemTrayIcon>

#include <functional>
#include <memory>

namespace ledgerly {

class MenuRenderer;
class RenderedMenu;

// The tray entry, on QSystemTrayIcon: a StatusNotifierItem where the desktop
// hosts them, an XEmbed tray icon otherwise. A click pops our own rendered
// menu at the pointer rather than handing the menu to the host, so every
// host shows the same menu with its subtitles, icons and alternates.
class QtStatusItem final : public QObject, public StatusItem {
    Q_OBJECT

public:
    explicit QtStatusItem(std::unique_ptr<MenuRenderer> renderer, QObject* parent = nullptr);
    ~QtStatusItem() override;

    bool hasButton() const override;
    // The tooltip, which hosts also read out as the entry's name.
    void setTitle(const std::string& title) override;
    void setMenu(std::shared_ptr<const Menu> menu) override;
    void performClick() override;

    // Where the entries of menus set from now on send their actions.
    void setActionHandler(std::weak_ptr<MenuActionHandling> handler);
    // Called as the menu opens and after it closed (its submenus do not count).
    void setMenuCallbacks(std::function<void()> willOpen, std::function<void()> didClose);
    // Shows the tray icon; it appears as soon as a tray host exists, also one that starts later.
    void show();

    std::string title() const;
    const QSystemTrayIcon& trayIcon() const;
    const Menu& menu() const;
    // The rendered menu that the next click shows.
    RenderedMenu* renderedMenu() const;
    // Pops the menu with its top left corner at `position`, in screen coordinates.
    void popUpMenu(const QPoint& position);

private:
    void onActivated(QSystemTrayIcon::ActivationReason reason);
    void install(std::unique_ptr<RenderedMenu> menu);

    std::unique_ptr<MenuRenderer> renderer_;
    QSystemTrayIcon trayIcon_;
    std::string title_;
    std::shared_ptr<const Menu> menu_ = std::make_shared<const Menu>();
    std::unique_ptr<RenderedMenu> rendered_;
    // A menu that arrived while the current one was open; it replaces it once that closes.
    std::unique_ptr<RenderedMenu> pending_;
    std::function<void()> willOpen_;
    std::function<void()> didClose_;
};

}  // namespace ledgerly
