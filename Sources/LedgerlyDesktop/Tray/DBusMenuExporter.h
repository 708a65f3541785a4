#pragma once

#include "LedgerlyCore/Menu/Menu.h"
#include "LedgerlyCore/Menu/MenuActionHandling.h"
#include "LedgerlyDesktop/Menus/MenuActionLater.h"
#include "LedgerlyDesktop/Tray/DBusMenuTypes.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace ledgerly {

class SymbolIconSet;

// The menu as com.canonical.dbusmenu serves it to a panel that draws it
// itself: the same tree our own menu draws, with what a panel can show of it,
// and cut where a level is too long to draw as our own menu cuts it.
// Alternates (shown while Alt is held) are left out; fonts and subtitles have
// no property to go in. Entries get ids as the panel first asks for their
// level, and ids are never given twice, so an event for an entry of a menu
// that was replaced meanwhile still finds that entry.
class DBusMenuExporter final : public QObject {
    Q_OBJECT

public:
    DBusMenuExporter(std::weak_ptr<MenuActionHandling> handler, std::shared_ptr<const SymbolIconSet> icons,
                     MenuActionErrorReporter reportError, QObject* parent = nullptr);
    ~DBusMenuExporter() override;

    // Where chosen entries send their actions from now on.
    void setHandler(std::weak_ptr<MenuActionHandling> handler);
    // Called when the panel opens the menu and after it closed it (submenus do not count).
    void setMenuCallbacks(std::function<void()> willOpen, std::function<void()> didClose);
    // Serves `menu` from now on and tells the panel with LayoutUpdated.
    void setMenu(std::shared_ptr<const Menu> menu);

    uint revision() const { return revision_; }
    // The entry `parentId` with `depth` levels below it (-1: all), none when the id is unknown.
    std::optional<DBusMenuLayoutItem> layout(int parentId, int depth, const QStringList& propertyNames);
    // The properties of each known id of `ids`.
    DBusMenuItemPropertiesList groupProperties(const QList<int>& ids, const QStringList& propertyNames);
    // One property of an entry; none when the entry or the property does not exist.
    std::optional<QVariant> property(int id, const QString& name);
    // "clicked" runs the entry's action; "opened" and "closed" of the root drive the callbacks. Whether the id is
    // known.
    bool handleEvent(int id, const QString& eventId);

signals:
    void layoutUpdated(uint revision, int parent);

private:
    struct Node {
        const MenuEntry* entry = nullptr;  // none for the root
        const Menu* submenu = nullptr;
    };
    // One menu and the ids given out for it; a replaced one is kept a little
    // longer, for events the panel sent before it saw the new layout.
    struct Generation {
        std::shared_ptr<const Menu> root;
        std::unordered_map<int, Node> nodes;
        std::unordered_map<const Menu*, std::vector<int>> childIds;
        // The "N more entries" lines of levels too long to draw, which the menu itself does not hold.
        std::deque<MenuEntry> moreEntries;
    };

    static void retire(Generation generation);

    const Node* find(int id) const;
    const std::vector<int>& children(const Menu& menu);
    int addNode(const MenuEntry& entry);
    DBusMenuLayoutItem layoutOf(int id, const Node& node, int depth, const QStringList& propertyNames);
    QVariantMap propertiesOf(const Node& node, const QStringList& propertyNames);
    QByteArray iconData(const MenuIcon& icon);

    std::weak_ptr<MenuActionHandling> handler_;
    std::shared_ptr<const SymbolIconSet> icons_;
    MenuActionErrorReporter reportError_;
    std::function<void()> willOpen_;
    std::function<void()> didClose_;
    Generation current_;
    Generation previous_;
    QTimer previousExpiry_;
    int nextId_ = 1;
    uint revision_ = 1;
    std::unordered_map<std::string, QByteArray> iconData_;
};

}  // namespace ledgerly
