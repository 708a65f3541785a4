#pragma once

#include <QKeySequence>
#include <QMenu>

#include <cstdint>
#include <functional>
#include <vector>

namespace ledgerly {

// A QMenu drawn from a core menu. It knows which of its entries are
// alternates: each hides its primary entry while exactly its modifiers are
// held, as checked when the menu opens and on every modifier press and
// release while any menu of the tree is open. The key equivalents of every
// menu of the tree work while any of them is open. A submenu's entries can
// be deferred: they are made when it is first about to be shown, or when a
// key equivalent among them is pressed. So can the submenus' own widgets:
// they are made a few at a time while the event loop is idle, and all at
// once when the menu is about to be shown or a key is pressed in the tree.
class RenderedMenu final : public QMenu {
    Q_OBJECT

public:
    // The property of a QAction that holds its subtitle.
    static constexpr const char* subtitleProperty = "ledgerlySubtitle";

    // The raw modifier flags held on the keyboard now.
    using ModifierQuery = std::function<std::uint64_t()>;

    // `root` is the top menu of the tree; none for the top menu itself.
    explicit RenderedMenu(ModifierQuery heldModifiers = keyboardModifierFlags, RenderedMenu* root = nullptr,
                          QWidget* parent = nullptr);

    // What the keyboard holds, as Qt knows it.
    static std::uint64_t keyboardModifierFlags();

    // Makes `alternate` stand in for `primary` while exactly `modifierFlags` are held.
    void addAlternate(QAction* primary, QAction* alternate, std::uint64_t modifierFlags);
    // Shows the entries that `heldModifierFlags` select, in this menu and every submenu of the tree.
    void applyModifierFlags(std::uint64_t heldModifierFlags);
    // The modifier flags the visible entries were chosen for.
    std::uint64_t appliedModifierFlags() const;

    // Entries to make later, the first time they are needed.
    struct DeferredEntries {
        std::function<void(RenderedMenu&)> make;
        // Whether an entry that `make` would make, or one in a submenu below, has the shortcut `keys`.
        std::function<bool(const QKeySequence& keys)> holdsShortcut;
    };
    void deferEntries(DeferredEntries entries);
    // Makes the submenu of `action` later, with `make`.
    void deferSubmenu(QAction* action, std::function<QMenu*()> make);
    // Makes every deferred submenu widget of this menu now.
    void makeDeferredSubmenus();
    // Makes the deferred entries now, unless they are made already.
    void makeDeferredEntries();
    bool hasDeferredEntries() const { return static_cast<bool>(deferred_.make); }

protected:
    void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    struct Alternate {
        QAction* primary;
        QAction* alternate;
        std::uint64_t modifierFlags;
    };

    RenderedMenu& root();
    // The enabled, visible action of any menu of the tree whose shortcut is
    // `keys`; makes the deferred entries of the menu that holds it.
    QAction* actionForKeys(const QKeySequence& keys);
    // Closes every menu of the tree and chooses the action, as a click would; whether one matched.
    bool chooseActionForKeys(QKeyEvent* event);
    void applyToThisMenu(std::uint64_t heldModifierFlags);
    // Makes the next few deferred submenu widgets, and schedules the rest.
    void makeSomeDeferredSubmenus();
    enum class KeyChange { pressed, released };
    // Whether the event was a modifier key, which menus must not act on.
    bool followModifierKey(QKeyEvent* event, KeyChange change);

    ModifierQuery heldModifiers_;
    RenderedMenu* root_;
    std::vector<RenderedMenu*> treeMenus_;  // on the root: every menu of the tree, itself included
    std::vector<Alternate> alternates_;
    std::uint64_t appliedFlags_ = 0;
    DeferredEntries deferred_;
    struct DeferredSubmenu {
        QAction* action;
        std::function<QMenu*()> make;
    };
    std::vector<DeferredSubmenu> deferredSubmenus_;
    std::size_t nextDeferredSubmenu_ = 0;
};

}  // namespace ledgerly
