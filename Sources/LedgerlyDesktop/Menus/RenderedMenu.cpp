#include "LedgerlyDesktop/Menus/RenderedMenu.h"

#include "LedgerlyDesktop/Menus/MenuStyle.h"
#include "LedgerlyDesktop/Shortcut/ModifierFlags.h"

#include <QAction>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QStyleOptionMenuItem>
#include <QTimer>

#include <algorithm>

#include <utility>

namespace ledgerly {
namespace {

constexpr std::uint64_t kFourModifiers =
    kShiftModifierBit | kControlModifierBit | kOptionModifierBit | kCommandModifierBit;

std::uint64_t modifierBitOfKey(int key) {
    switch (key) {
    case Qt::Key_Shift:
        return kShiftModifierBit;
    case Qt::Key_Control:
        return kControlModifierBit;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return kOptionModifierBit;
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
        return kCommandModifierBit;
    default:
        return 0;
    }
}

}  // namespace

std::uint64_t RenderedMenu::keyboardModifierFlags() {
    return modifierFlagsFromQt(QGuiApplication::queryKeyboardModifiers());
}

RenderedMenu::RenderedMenu(ModifierQuery heldModifiers, RenderedMenu* root, QWidget* parent)
    : QMenu(parent), heldModifiers_(std::move(heldModifiers)), root_(root) {
    // Tells X11 compositors that this is a popup menu, for their menu shadows and effects.
    setAttribute(Qt::WA_X11NetWmWindowTypePopupMenu);
    this->root().treeMenus_.push_back(this);
    // Before QMenu measures the entries: they are made in time for the first showing.
    connect(this, &QMenu::aboutToShow, this, &RenderedMenu::makeDeferredEntries);
    connect(this, &QMenu::aboutToShow, this, &RenderedMenu::makeDeferredSubmenus);
}

void RenderedMenu::deferSubmenu(QAction* action, std::function<QMenu*()> make) {
    if (deferredSubmenus_.size() == nextDeferredSubmenu_) {
        // Widgets are costly to make and to free: thousands of headings would
        // hold the main thread for long if they were all made at once.
        QTimer::singleShot(0, this, &RenderedMenu::makeSomeDeferredSubmenus);
    }
    deferredSubmenus_.push_back({action, std::move(make)});
}

void RenderedMenu::makeSomeDeferredSubmenus() {
    constexpr std::size_t kSubmenusPerTurn = 64;
    const std::size_t end = std::min(deferredSubmenus_.size(), nextDeferredSubmenu_ + kSubmenusPerTurn);
    for (; nextDeferredSubmenu_ < end; ++nextDeferredSubmenu_) {
        DeferredSubmenu& submenu = deferredSubmenus_[nextDeferredSubmenu_];
        submenu.action->setMenu(submenu.make());
        submenu.make = nullptr;
    }
    if (nextDeferredSubmenu_ < deferredSubmenus_.size()) {
        QTimer::singleShot(0, this, &RenderedMenu::makeSomeDeferredSubmenus);
    } else {
        deferredSubmenus_.clear();
        nextDeferredSubmenu_ = 0;
    }
}

void RenderedMenu::makeDeferredSubmenus() {
    for (; nextDeferredSubmenu_ < deferredSubmenus_.size(); ++nextDeferredSubmenu_) {
        DeferredSubmenu& submenu = deferredSubmenus_[nextDeferredSubmenu_];
        submenu.action->setMenu(submenu.make());
    }
    deferredSubmenus_.clear();
    nextDeferredSubmenu_ = 0;
}

void RenderedMenu::deferEntries(DeferredEntries entries) { deferred_ = std::move(entries); }

void RenderedMenu::makeDeferredEntries() {
    if (!deferred_.make) {
        return;
    }
    const DeferredEntries entries = std::exchange(deferred_, {});
    entries.make(*this);
    // Entries made while the tree is open show what the held keys select.
    applyToThisMenu(root().appliedFlags_);
}

RenderedMenu& RenderedMenu::root() { return root_ != nullptr ? *root_ : *this; }

void RenderedMenu::addAlternate(QAction* primary, QAction* alternate, std::uint64_t modifierFlags) {
    alternates_.push_back({primary, alternate, modifierFlags & kFourModifiers});
    applyToThisMenu(appliedFlags_);
}

void RenderedMenu::applyModifierFlags(std::uint64_t heldModifierFlags) {
    for (RenderedMenu* menu : root().treeMenus_) {
        menu->applyToThisMenu(heldModifierFlags & kFourModifiers);
    }
}

std::uint64_t RenderedMenu::appliedModifierFlags() const { return appliedFlags_; }

void RenderedMenu::applyToThisMenu(std::uint64_t heldModifierFlags) {
    appliedFlags_ = heldModifierFlags;
    for (const Alternate& pair : alternates_) {
        const bool showAlternate = pair.modifierFlags == heldModifierFlags;
        // Hide first so the menu never holds both at once, which would make it grow for a moment.
        (showAlternate ? pair.primary : pair.alternate)->setVisible(false);
        (showAlternate ? pair.alternate : pair.primary)->setVisible(true);
    }
}

void RenderedMenu::initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const {
    QMenu::initStyleOption(option, action);
    const QString subtitle = action->property(subtitleProperty).toString();
    if (subtitle.isEmpty()) {
        return;
    }
    // The style splits this again: title, subtitle, then Qt's tab and shortcut text.
    const qsizetype tab = option->text.indexOf(QLatin1Char('\t'));
    const QString title = tab < 0 ? option->text : option->text.left(tab);
    const QString shortcut = tab < 0 ? QString() : option->text.mid(tab);
    option->text = title + MenuStyle::subtitleSeparator + subtitle + shortcut;
}

void RenderedMenu::showEvent(QShowEvent* event) {
    // The keys held at the moment the menu opens decide what it shows first.
    if (root_ == nullptr) {
        applyModifierFlags(heldModifiers_());
    }
    QMenu::showEvent(event);
}

bool RenderedMenu::followModifierKey(QKeyEvent* event, KeyChange change) {
    const std::uint64_t bit = modifierBitOfKey(event->key());
    if (bit == 0) {
        return false;
    }
    // X11 reports a modifier key's own event with the state from before it.
    std::uint64_t flags = modifierFlagsFromQt(event->modifiers());
    flags = change == KeyChange::pressed ? (flags | bit) : (flags & ~bit);
    root().applyModifierFlags(flags);
    event->accept();
    return true;
}

QAction* RenderedMenu::actionForKeys(const QKeySequence& keys) {
    const std::vector<RenderedMenu*>& menus = root().treeMenus_;
    // By index: making a menu's entries adds its submenus to the end of the list.
    for (std::size_t index = 0; index < menus.size(); ++index) {
        RenderedMenu* menu = menus[index];
        menu->makeDeferredSubmenus();
        if (menu->deferred_.make && menu->deferred_.holdsShortcut(keys)) {
            menu->makeDeferredEntries();
        }
        for (QAction* action : menu->actions()) {
            if (action->isEnabled() && action->isVisible() && !action->shortcut().isEmpty() &&
                action->shortcut().matches(keys) == QKeySequence::ExactMatch) {
                return action;
            }
        }
    }
    return nullptr;
}

bool RenderedMenu::chooseActionForKeys(QKeyEvent* event) {
    QAction* action = actionForKeys(QKeySequence(event->keyCombination()));
    if (action == nullptr) {
        return false;
    }
    event->accept();
    for (RenderedMenu* menu : root().treeMenus_) {
        menu->hide();
    }
    action->trigger();
    return true;
}

void RenderedMenu::keyPressEvent(QKeyEvent* event) {
    // QMenu closes on a lone Alt under styles with Alt navigation; here Alt shows the alternates.
    if (followModifierKey(event, KeyChange::pressed)) {
        return;
    }
    // An open popup menu is no active window, so Qt's shortcut map never sees these keys.
    if (chooseActionForKeys(event)) {
        return;
    }
    // Up with nothing chosen reaches the last entry ("Ledgerly" at the top
    // level); a scrolling QMenu would not move at all.
    if (event->key() == Qt::Key_Up && activeAction() == nullptr) {
        QKeyEvent end(QEvent::KeyPress, Qt::Key_End, event->modifiers());
        QMenu::keyPressEvent(&end);
        return;
    }
    QMenu::keyPressEvent(event);
}

void RenderedMenu::keyReleaseEvent(QKeyEvent* event) {
    if (!followModifierKey(event, KeyChange::released)) {
        QMenu::keyReleaseEvent(event);
    }
}

}  // namespace ledgerly
