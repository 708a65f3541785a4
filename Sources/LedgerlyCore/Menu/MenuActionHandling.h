#pragma once

#include "LedgerlyCore/Menu/MenuAction.h"

namespace ledgerly {

struct MenuEntry;

// What the menu's entries ask of the application. Each action receives the
// entry that sent it; what it needs travels in the entry's represented object.
class MenuActionHandling {
public:
    MenuActionHandling() = default;
    MenuActionHandling(const MenuActionHandling&) = delete;
    MenuActionHandling& operator=(const MenuActionHandling&) = delete;
    virtual ~MenuActionHandling() = default;

    // Opens the URL text in the sender's represented object.
    virtual void openURLFromMenuItem(const MenuEntry& sender) = 0;
    // Copies the sender's represented object as plain text.
    virtual void copyTextFromMenuItem(const MenuEntry& sender) = 0;
    // Copies the status issue report in the sender's represented object.
    virtual void copyWarningFromMenuItem(const MenuEntry& sender) = 0;
    // Reads the selected file again and rebuilds the menu.
    virtual void refreshNow(const MenuEntry& sender) = 0;
    // Lets the user choose another Markdown file.
    virtual void chooseMarkdownFile(const MenuEntry& sender) = 0;
    // Saves a copy of the starter file and selects it.
    virtual void saveStarterFile(const MenuEntry& sender) = 0;
    // Shows the selected file in the file manager.
    virtual void revealMarkdownFile(const MenuEntry& sender) = 0;
    // Shows the About panel.
    virtual void showAbout(const MenuEntry& sender) = 0;
    // Brings up the settings window.
    virtual void openSettings(const MenuEntry& sender) = 0;
    // Ends the application.
    virtual void quitApp(const MenuEntry& sender) = 0;
};

// Sends `action` to `handler` with `sender`, as choosing the entry would.
void perform(MenuAction action, const MenuEntry& sender, MenuActionHandling& handler);

}  // namespace ledgerly
