#pragma once

#include <string_view>

namespace ledgerly {

// The ten actions a menu entry can send to its MenuActionHandling target.
enum class MenuAction {
    openURLFromMenuItem,
    copyTextFromMenuItem,
    copyWarningFromMenuItem,
    refreshNow,
    chooseMarkdownFile,
    saveStarterFile,
    revealMarkdownFile,
    showAbout,
    openSettings,
    quitApp,
};

// The action's selector as reports and the desktop bridge spell it, e.g. "openURLFromMenuItem:".
std::string_view selectorName(MenuAction action);

}  // namespace ledgerly
