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

// Turns the core's menu tree into a RenderedMenu. The top level is drawn at
// once, each submenu when it is first about to be shown; a level too long to
// draw quickly shows its first part (see cutMenuLevel). Choosing an entry
// sends its action with the entry to the handler, after the menu has closed.
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
    // What the menus of one render need, also later when a submenu is drawn.
    struct Context;
    static void fill(const std::shared_ptr<const Context>& context, RenderedMenu& target, const Menu& menu,
                     RenderedMenu& root);
    static QAction* makeAction(const std::shared_ptr<const Context>& context, RenderedMenu& target,
                               const MenuEntry& entry, RenderedMenu& root);
    static void connectAction(const Context& context, QAction& action, const MenuEntry& entry);

    std::weak_ptr<MenuActionHandling> handler_;
    std::shared_ptr<const SymbolIconSet> icons_;
    ErrorReporter reportError_;
    ModifierQuery heldModifiers_;
    // Outlives every menu rendered: the owner of the renderer keeps its menus no longer than it.
    std::unique_ptr<MenuStyle> style_;
};

}  // namespace ledgerly
