#pragma once

#include "LedgerlyCore/Menu/Menu.h"
#include "LedgerlyCore/Menu/MenuActionHandling.h"

#include <QKeySequence>

#include <functional>
#include <memory>

class QAction;

namespace ledgerly {

class MenuStyle;
class RenderedMenu;
class SymbolIconSet;

// Turns the core's menu tree into a RenderedMenu, submenus included, all at
// once. Choosing an entry sends its action with the entry to the handler,
// after the menu has closed.
class MenuRenderer {
public:
    // Reports an error that escaped an action, so it never unwinds through Qt's event loop.
    using ErrorReporter = std::function<void(const std::exception& error)>;

    // The raw modifier flags held on the keyboard now.
    using ModifierQuery = std::function<std::uint64_t()>;

    MenuRenderer(std::weak_ptr<MenuActionHandling> handler, std::shared_ptr<const SymbolIconSet> icons,
                 ErrorReporter reportError = showErrorAlert, ModifierQuery heldModifiers = nullptr);
    ~MenuRenderer();
    MenuRenderer(const MenuRenderer&) = delete;
    MenuRenderer& operator=(const MenuRenderer&) = delete;

    // Where chosen entries send their actions from now on; menus rendered earlier keep theirs.
    void setHandler(std::weak_ptr<MenuActionHandling> handler);

    // A new menu for `menu`; the caller owns it.
    std::unique_ptr<RenderedMenu> render(const Menu& menu) const;

    // Command+letter is Ctrl+letter here; Control, Option and Shift are Meta, Alt and Shift.
    static QKeySequence keySequence(const MenuEntry& entry);
    // `title` as QAction text: an ampersand stays an ampersand, a tab does not start the shortcut column.
    static QString actionText(const std::string& title);
    // A warning alert naming the error.
    static void showErrorAlert(const std::exception& error);

private:
    void fill(RenderedMenu& target, const Menu& menu, RenderedMenu& root) const;
    QAction* makeAction(RenderedMenu& target, const MenuEntry& entry, RenderedMenu& root) const;
    void connectAction(QAction& action, const MenuEntry& entry) const;

    std::weak_ptr<MenuActionHandling> handler_;
    std::shared_ptr<const SymbolIconSet> icons_;
    ErrorReporter reportError_;
    ModifierQuery heldModifiers_;
    std::unique_ptr<MenuStyle> style_;
};

}  // namespace ledgerly
