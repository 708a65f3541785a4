#include "LedgerlyDesktop/Menus/MenuRenderer.h"

#include "LedgerlyCore/Menu/MenuLevelCut.h"
#include "LedgerlyDesktop/LogCategories.h"
#include "LedgerlyDesktop/Menus/MenuActionLater.h"
#include "LedgerlyDesktop/Menus/MenuStyle.h"
#include "LedgerlyDesktop/Menus/RenderedMenu.h"
#include "LedgerlyDesktop/Menus/SymbolIconSet.h"
#include "LedgerlyDesktop/Shortcut/ModifierFlags.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>

#include <optional>
#include <vector>

namespace ledgerly {
namespace {

QFont entryFont(MenuFont font, const QFont& menuFont) {
    QFont result = menuFont;
    result.setItalic(font == MenuFont::italic);
    result.setBold(font == MenuFont::bold);
    return result;
}

Qt::KeyboardModifiers keyEquivalentModifiers(std::uint64_t mask) {
    Qt::KeyboardModifiers modifiers;
    modifiers.setFlag(Qt::ControlModifier, (mask & kCommandModifierBit) != 0);
    modifiers.setFlag(Qt::MetaModifier, (mask & kControlModifierBit) != 0);
    modifiers.setFlag(Qt::AltModifier, (mask & kOptionModifierBit) != 0);
    modifiers.setFlag(Qt::ShiftModifier, (mask & kShiftModifierBit) != 0);
    return modifiers;
}

// Every shortcut of the entries of `menu` and of its submenus, however deep.
void collectShortcuts(const Menu& menu, std::vector<QKeySequence>& shortcuts) {
    for (const MenuEntry& entry : menu.entries) {
        if (!entry.keyEquivalent.empty() && entry.enabled) {
            shortcuts.push_back(MenuRenderer::keySequence(entry));
        }
        if (entry.submenu) {
            collectShortcuts(*entry.submenu, shortcuts);
        }
    }
}

// Answers whether a submenu not drawn yet holds a shortcut; the tree is
// walked on the first question only.
class ShortcutLookup {
public:
    explicit ShortcutLookup(std::shared_ptr<const Menu> menu) : menu_(std::move(menu)) {}

    bool operator()(const QKeySequence& keys) {
        if (!shortcuts_) {
            shortcuts_.emplace();
            collectShortcuts(*menu_, *shortcuts_);
        }
        for (const QKeySequence& shortcut : *shortcuts_) {
            if (shortcut.matches(keys) == QKeySequence::ExactMatch) {
                return true;
            }
        }
        return false;
    }

private:
    std::shared_ptr<const Menu> menu_;
    std::optional<std::vector<QKeySequence>> shortcuts_;
};

}  // namespace

struct MenuRenderer::Context {
    std::weak_ptr<MenuActionHandling> handler;
    std::shared_ptr<const SymbolIconSet> icons;
    ErrorReporter reportError;
    ModifierQuery heldModifiers;
    MenuStyle* style = nullptr;
};

MenuRenderer::MenuRenderer(std::weak_ptr<MenuActionHandling> handler, std::shared_ptr<const SymbolIconSet> icons,
                           ErrorReporter reportError, ModifierQuery heldModifiers)
    : handler_(std::move(handler)),
      icons_(std::move(icons)),
      reportError_(std::move(reportError)),
      heldModifiers_(heldModifiers ? std::move(heldModifiers) : RenderedMenu::keyboardModifierFlags),
      style_(std::make_unique<MenuStyle>()) {}

MenuRenderer::~MenuRenderer() = default;

void MenuRenderer::setHandler(std::weak_ptr<MenuActionHandling> handler) { handler_ = std::move(handler); }

QString MenuRenderer::actionText(const std::string& title) {
    QString text = QString::fromStdString(title);
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return text;
}

QKeySequence MenuRenderer::keySequence(const MenuEntry& entry) {
    const QString key = QString::fromStdString(entry.keyEquivalent);
    if (key.size() != 1) {
        return {};
    }
    const auto qtKey = static_cast<Qt::Key>(key.front().toUpper().unicode());
    return QKeySequence(QKeyCombination(keyEquivalentModifiers(entry.keyEquivalentModifierMask), qtKey));
}

void MenuRenderer::showErrorAlert(const std::exception& error) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Ledgerly"),
                    QStringLiteral("Ledgerly could not finish that."));
    box.setInformativeText(QString::fromStdString(error.what()));
    box.exec();
}

std::unique_ptr<RenderedMenu> MenuRenderer::render(const Menu& menu) const {
    // The handler as it is now: menus keep the handler they were rendered with.
    const auto context =
        std::make_shared<const Context>(Context{handler_, icons_, reportError_, heldModifiers_, style_.get()});
    auto rendered = std::make_unique<RenderedMenu>(heldModifiers_);
    fill(context, *rendered, menu, *rendered);
    return rendered;
}

void MenuRenderer::fill(const std::shared_ptr<const Context>& context, RenderedMenu& target, const Menu& menu,
                        RenderedMenu& root) {
    QElapsedTimer timer;
    timer.start();
    target.setStyle(context->style);
    target.setMinimumWidth(static_cast<int>(menu.minimumWidth));
    // Native menus keep their entries' tooltips to themselves; ours would show icon descriptions.
    target.setToolTipsVisible(false);
    const MenuLevelCut cut = cutMenuLevel(menu, &target == &root ? MenuLevelKind::top : MenuLevelKind::submenu);
    QAction* previous = nullptr;
    const auto draw = [&](std::size_t index) {
        const MenuEntry& entry = menu.entries[index];
        QAction* action = makeAction(context, target, entry, root);
        if (entry.isAlternate && previous != nullptr) {
            target.addAlternate(previous, action, entry.keyEquivalentModifierMask);
        } else {
            previous = action;
        }
    };
    for (std::size_t index = 0; index < cut.drawnEntries; ++index) {
        draw(index);
    }
    if (cut.moreEntriesTitle) {
        target.addAction(actionText(*cut.moreEntriesTitle))->setEnabled(false);
    }
    for (std::size_t index = menu.entries.size() - cut.drawnLastEntries; index < menu.entries.size(); ++index) {
        draw(index);
    }
    qCDebug(lcTiming).nospace() << "drew " << cut.drawnEntries + cut.drawnLastEntries << " of " << menu.entries.size()
                                << " entries of a menu in " << timer.nsecsElapsed() / 1e6 << " ms";
}

QAction* MenuRenderer::makeAction(const std::shared_ptr<const Context>& context, RenderedMenu& target,
                                  const MenuEntry& entry, RenderedMenu& root) {
    if (entry.kind == MenuEntryKind::separator) {
        return target.addSeparator();
    }
    if (entry.kind == MenuEntryKind::sectionHeader) {
        return target.addSection(actionText(entry.title));
    }
    QAction* action = target.addAction(actionText(entry.title));
    action->setEnabled(entry.enabled);
    action->setFont(entryFont(entry.font, target.font()));
    action->setShortcut(keySequence(entry));
    // Shown here, handled by RenderedMenu: no window of ours is active while a menu is open.
    action->setShortcutContext(Qt::WidgetShortcut);
    if (entry.subtitle) {
        action->setProperty(RenderedMenu::subtitleProperty, QString::fromStdString(*entry.subtitle));
    }
    if (entry.image) {
        action->setIcon(context->icons->icon(*entry.image, target.palette(), qApp->devicePixelRatio()));
    }
    if (entry.submenu) {
        target.deferSubmenu(action, [context, content = entry.submenu, &root, &target]() -> QMenu* {
            auto* submenu = new RenderedMenu(context->heldModifiers, &root, &target);
            // Drawn when first shown: a file of thousands of headings makes no entries for them up front.
            submenu->deferEntries(
                {[context, content, &root](RenderedMenu& menu) { fill(context, menu, *content, root); },
                 ShortcutLookup(content)});
            return submenu;
        });
    }
    connectAction(*context, *action, entry);
    return action;
}

void MenuRenderer::connectAction(const Context& context, QAction& action, const MenuEntry& entry) {
    if (!sendsMenuAction(entry)) {
        return;
    }
    QObject::connect(&action, &QAction::triggered,
                     [handler = context.handler, entry, reportError = context.reportError] {
                         performMenuActionLater(handler, entry, reportError);
                     });
}

}  // namespace ledgerly
