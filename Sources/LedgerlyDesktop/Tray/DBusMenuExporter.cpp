#include "LedgerlyDesktop/Tray/DBusMenuExporter.h"

#include "LedgerlyCore/Menu/MenuLevelCut.h"
#include "LedgerlyCore/Platform/MemoryRelease.h"

#include "LedgerlyDesktop/LogCategories.h"
#include "LedgerlyDesktop/Menus/SymbolIconSet.h"
#include "LedgerlyDesktop/Shortcut/ModifierFlags.h"
#include "LedgerlyDesktop/Tray/DBusMenuAdaptor.h"

#include <QApplication>
#include <QBuffer>
#include <QIcon>
#include <QPalette>
#include <QPixmap>
#include <QThreadPool>

#include <chrono>
#include <limits>
#include <utility>

namespace ledgerly {
namespace {

// How long a replaced menu still answers events: a panel sends a click at
// most a round trip after it received LayoutUpdated.
constexpr std::chrono::seconds kPreviousMenuLifetime{2};

constexpr int kRootId = 0;
constexpr int kIconSide = 16;

// A panel reads "_" as the mark of an access key; a title shows its own underscores.
QString labelOf(const std::string& title) {
    QString label = QString::fromStdString(title);
    label.replace(QLatin1Char('_'), QStringLiteral("__"));
    return label;
}

// The key's name as panels look it up among X key names.
QString keyName(const std::string& keyEquivalent) {
    static const std::unordered_map<std::string, QString> punctuation = {
        {",", QStringLiteral("comma")},        {".", QStringLiteral("period")},
        {"/", QStringLiteral("slash")},        {";", QStringLiteral("semicolon")},
        {"'", QStringLiteral("apostrophe")},   {"[", QStringLiteral("bracketleft")},
        {"]", QStringLiteral("bracketright")}, {"-", QStringLiteral("minus")},
        {"=", QStringLiteral("equal")},        {"`", QStringLiteral("grave")},
        {"\\", QStringLiteral("backslash")},
    };
    const auto found = punctuation.find(keyEquivalent);
    return found != punctuation.end() ? found->second : QString::fromStdString(keyEquivalent).toLower();
}

// Command+letter is Ctrl+letter on Linux, as our own menu shows it.
DBusMenuShortcut shortcutOf(const MenuEntry& entry) {
    QStringList chord;
    const std::uint64_t mask = entry.keyEquivalentModifierMask;
    if ((mask & kCommandModifierBit) != 0) {
        chord << QStringLiteral("Control");
    }
    if ((mask & kOptionModifierBit) != 0) {
        chord << QStringLiteral("Alt");
    }
    if ((mask & kShiftModifierBit) != 0) {
        chord << QStringLiteral("Shift");
    }
    if ((mask & kControlModifierBit) != 0) {
        chord << QStringLiteral("Super");
    }
    chord << keyName(entry.keyEquivalent);
    return {chord};
}

}  // namespace

DBusMenuExporter::DBusMenuExporter(std::weak_ptr<MenuActionHandling> handler,
                                   std::shared_ptr<const SymbolIconSet> icons, MenuActionErrorReporter reportError,
                                   QObject* parent)
    : QObject(parent), handler_(std::move(handler)), icons_(std::move(icons)), reportError_(std::move(reportError)) {
    registerDBusMenuTypes();
    new DBusMenuAdaptor(this);
    current_.root = std::make_shared<const Menu>();
    current_.nodes.emplace(kRootId, Node{nullptr, current_.root.get()});
    previousExpiry_.setSingleShot(true);
    previousExpiry_.setInterval(kPreviousMenuLifetime);
    connect(&previousExpiry_, &QTimer::timeout, this, [this] { retire(std::exchange(previous_, Generation{})); });
}

DBusMenuExporter::~DBusMenuExporter() = default;

void DBusMenuExporter::setHandler(std::weak_ptr<MenuActionHandling> handler) { handler_ = std::move(handler); }

void DBusMenuExporter::setMenuCallbacks(std::function<void()> willOpen, std::function<void()> didClose) {
    willOpen_ = std::move(willOpen);
    didClose_ = std::move(didClose);
}

void DBusMenuExporter::setMenu(std::shared_ptr<const Menu> menu) {
    retire(std::exchange(previous_, std::exchange(current_, Generation{})));
    previousExpiry_.start();
    current_.root = std::move(menu);
    current_.nodes.emplace(kRootId, Node{nullptr, current_.root.get()});
    ++revision_;
    emit layoutUpdated(revision_, kRootId);
}

// The application frees its own reference to a replaced menu on a worker;
// when ours is the last, freeing a big tree here would stall the main thread
// and its pages would never go back to the system.
void DBusMenuExporter::retire(Generation generation) {
    if (!generation.root) {
        return;
    }
    auto retired = std::make_shared<Generation>(std::move(generation));
    QThreadPool::globalInstance()->start([retired = std::move(retired)]() mutable {
        retired.reset();
        returnFreeMemoryToSystem();
    });
}

const DBusMenuExporter::Node* DBusMenuExporter::find(int id) const {
    for (const Generation* generation : {&current_, &previous_}) {
        const auto found = generation->nodes.find(id);
        if (found != generation->nodes.end()) {
            return &found->second;
        }
    }
    return nullptr;
}

const std::vector<int>& DBusMenuExporter::children(const Menu& menu) {
    const auto known = current_.childIds.find(&menu);
    if (known != current_.childIds.end()) {
        return known->second;
    }
    const MenuLevelCut cut =
        cutMenuLevel(menu, &menu == current_.root.get() ? MenuLevelKind::top : MenuLevelKind::submenu);
    std::vector<int> ids;
    const auto addRange = [&](std::size_t first, std::size_t end) {
        for (std::size_t index = first; index < end; ++index) {
            if (!menu.entries[index].isAlternate) {
                ids.push_back(addNode(menu.entries[index]));
            }
        }
    };
    addRange(0, cut.drawnEntries);
    if (cut.moreEntriesTitle) {
        MenuEntry& more = current_.moreEntries.emplace_back(MenuEntry::item(*cut.moreEntriesTitle));
        more.enabled = false;
        ids.push_back(addNode(more));
        addRange(menu.entries.size() - cut.drawnLastEntries, menu.entries.size());
    }
    return current_.childIds.emplace(&menu, std::move(ids)).first->second;
}

int DBusMenuExporter::addNode(const MenuEntry& entry) {
    const int id = nextId_;
    // Ids are 32-bit on the bus; after two billion entries, start over.
    nextId_ = nextId_ == std::numeric_limits<int>::max() ? 1 : nextId_ + 1;
    current_.nodes.emplace(id, Node{&entry, entry.submenu.get()});
    return id;
}

std::optional<DBusMenuLayoutItem> DBusMenuExporter::layout(int parentId, int depth, const QStringList& propertyNames) {
    const Node* node = find(parentId);
    if (node == nullptr) {
        return std::nullopt;
    }
    return layoutOf(parentId, *node, depth, propertyNames);
}

DBusMenuLayoutItem DBusMenuExporter::layoutOf(int id, const Node& node, int depth, const QStringList& propertyNames) {
    DBusMenuLayoutItem item;
    item.id = id;
    item.properties = propertiesOf(node, propertyNames);
    if (node.submenu == nullptr || depth == 0) {
        return item;
    }
    for (const int childId : children(*node.submenu)) {
        item.children.append(layoutOf(childId, current_.nodes.at(childId), depth - 1, propertyNames));
    }
    return item;
}

DBusMenuItemPropertiesList DBusMenuExporter::groupProperties(const QList<int>& ids, const QStringList& propertyNames) {
    DBusMenuItemPropertiesList result;
    for (const int id : ids) {
        if (const Node* node = find(id)) {
            result.append({id, propertiesOf(*node, propertyNames)});
        }
    }
    return result;
}

std::optional<QVariant> DBusMenuExporter::property(int id, const QString& name) {
    const Node* node = find(id);
    if (node == nullptr) {
        return std::nullopt;
    }
    const QVariantMap properties = propertiesOf(*node, {name});
    const auto found = properties.find(name);
    return found == properties.end() ? std::nullopt : std::optional<QVariant>(*found);
}

QVariantMap DBusMenuExporter::propertiesOf(const Node& node, const QStringList& propertyNames) {
    QVariantMap properties;
    if (node.submenu != nullptr) {
        properties.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
    }
    if (node.entry != nullptr) {
        const MenuEntry& entry = *node.entry;
        if (entry.kind == MenuEntryKind::separator) {
            properties.insert(QStringLiteral("type"), QStringLiteral("separator"));
        } else {
            properties.insert(QStringLiteral("label"), labelOf(entry.title));
            // A section label is a line that cannot be chosen.
            const bool enabled = entry.kind == MenuEntryKind::item && entry.enabled;
            if (!enabled) {
                properties.insert(QStringLiteral("enabled"), false);
            }
            if (entry.image && entry.image->symbolName) {
                properties.insert(QStringLiteral("icon-data"), iconData(*entry.image));
            }
            if (entry.keyEquivalent.size() == 1) {
                properties.insert(QStringLiteral("shortcut"), QVariant::fromValue(shortcutOf(entry)));
            }
        }
    }
    if (!propertyNames.isEmpty()) {
        for (auto it = properties.begin(); it != properties.end();) {
            it = propertyNames.contains(it.key()) ? std::next(it) : properties.erase(it);
        }
    }
    return properties;
}

QByteArray DBusMenuExporter::iconData(const MenuIcon& icon) {
    const std::string key = *icon.symbolName + (icon.isTemplate ? "/template" : "");
    const auto found = iconData_.find(key);
    if (found != iconData_.end()) {
        return found->second;
    }
    // Drawn in our own menu's text colour; the panel's colours are not known here.
    const QPixmap pixmap = icons_->icon(icon, QApplication::palette(), 1.0).pixmap(kIconSide, kIconSide);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    pixmap.save(&buffer, "PNG");
    return iconData_.emplace(key, png).first->second;
}

bool DBusMenuExporter::handleEvent(int id, const QString& eventId) {
    const Node* node = find(id);
    if (node == nullptr) {
        qCDebug(lcTray) << "menu event" << eventId << "for unknown entry" << id;
        return false;
    }
    if (id == kRootId) {
        if (eventId == QLatin1String("opened") && willOpen_) {
            willOpen_();
        } else if (eventId == QLatin1String("closed") && didClose_) {
            didClose_();
        }
        return true;
    }
    if (eventId == QLatin1String("clicked") && node->entry != nullptr && node->entry->enabled) {
        performMenuActionLater(handler_, *node->entry, reportError_);
    }
    return true;
}

}  // namespace ledgerly
