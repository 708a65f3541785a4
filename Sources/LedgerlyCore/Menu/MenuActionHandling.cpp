#include "LedgerlyCore/Menu/MenuActionHandling.h"

namespace ledgerly {

void perform(MenuAction action, const MenuEntry& sender, MenuActionHandling& handler) {
    switch (action) {
    case MenuAction::openURLFromMenuItem:
        return handler.openURLFromMenuItem(sender);
    case MenuAction::copyTextFromMenuItem:
        return handler.copyTextFromMenuItem(sender);
    case MenuAction::copyWarningFromMenuItem:
        return handler.copyWarningFromMenuItem(sender);
    case MenuAction::refreshNow:
        return handler.refreshNow(sender);
    case MenuAction::chooseMarkdownFile:
        return handler.chooseMarkdownFile(sender);
    case MenuAction::saveStarterFile:
        return handler.saveStarterFile(sender);
    case MenuAction::revealMarkdownFile:
        return handler.revealMarkdownFile(sender);
    case MenuAction::showAbout:
        return handler.showAbout(sender);
    case MenuAction::openSettings:
        return handler.openSettings(sender);
    case MenuAction::quitApp:
        return handler.quitApp(sender);
    }
}

}  // namespace ledgerly
