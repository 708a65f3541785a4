#include "LedgerlyCore/Menu/MenuAction.h"

namespace ledgerly {

std::string_view selectorName(MenuAction action) {
    switch (action) {
    case MenuAction::openURLFromMenuItem:
        return "openURLFromMenuItem:";
    case MenuAction::copyTextFromMenuItem:
        return "copyTextFromMenuItem:";
    case MenuAction::copyWarningFromMenuItem:
        return "copyWarningFromMenuItem:";
    case MenuAction::refreshNow:
        return "refreshNow:";
    case MenuAction::chooseMarkdownFile:
        return "chooseMarkdownFile:";
    case MenuAction::saveStarterFile:
        return "saveStarterFile:";
    case MenuAction::revealMarkdownFile:
        return "revealMarkdownFile:";
    case MenuAction::showAbout:
        return "showAbout:";
    case MenuAction::openSettings:
        return "openSettings:";
    case MenuAction::quitApp:
        return "quitApp:";
    }
    return {};
}

}  // namespace ledgerly
