#include "LedgerlyDesktop/MenuRenderer.h"

#include "LedgerlyDesktop/MenuActionLater.h"
#include "LedgerlyDesktop/MenuStyle.h"
#include "LedgerlyDesktop/ModifierFlags.h"
#include "LedgerlyDesktop/RenderedMenu.h"
#include "LedgerlyDesktop/SymbolIconSet.h"

#include <QApplication>
#include <QMessageBox>

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

}  // namespace

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
    auto rendered = std::make_unique<RenderedMenu>(heldModifiers_);
    fill(*rendered, menu, *rendered);
    return rendered;
}

void MenuRenderer::fill(RenderedMenu& target, const Menu& menu, RenderedMenu& root) const {
    target.setStyle(style_.get());
    target.setMinimumWidth(static_cast<int>(menu.minimumWidth));
    // Native menus keep their entries' tooltips to themselves; ours would show icon descriptions.
    target.setToolTipsVisible(false);
    QAction* previous = nullptr;
    for (const MenuEntry& entry : menu.entries) {
        QAction* action = makeAction(target, entry, root);
        if (entry.isAlternate && previous != nullptr) {
            target.addAlternate(previous, action, entry.keyEquivalentModifierMask);
        } else {
            previous = action;
        }
    }
}

QAction* MenuRenderer::makeAction(RenderedMenu& target, const MenuEntry& entry, RenderedMenu& root) const {
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
        action->setIcon(icons_->icon(*entry.image, target.palette(), qApp->devicePixelRatio()));
    }
    if (entry.submenu) {
        auto* submenu = new RenderedMenu(heldModifiers_, &root, &target);
        fill(*submenu, *entry.submenu, root);
        action->setMenu(submenu);
    }
    connectAction(*action, entry);
    return action;
}

void MenuRenderer::connectAction(QAction& action, const MenuEntry& entry) const {
    if (!sendsMenuAction(entry)) {
        return;
    }
    QObject::connect(&action, &QAction::triggered, [handler = handler_, entry, reportError = reportError_] {
        performMenuActionLater(handler, entry, reportError);
    });
}

}  // namespace ledgerly
