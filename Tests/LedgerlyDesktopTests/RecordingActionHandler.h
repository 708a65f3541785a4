#pragma once

#include "LedgerlyCore/Menu/MenuActionHandling.h"
#include "LedgerlyCore/Menu/MenuEntry.h"

#include <functional>
#include <string>
#include <vector>

namespace ledgerly::testing {

// Records every action it receives with the sending entry.
class RecordingActionHandler final : public MenuActionHandling {
public:
    struct Call {
        MenuAction action;
        MenuEntry sender;
    };

    std::vector<Call> calls;
    std::function<void()> onCall;  // runs inside every action, e.g. to throw

    void openURLFromMenuItem(const MenuEntry& sender) override { record(MenuAction::openURLFromMenuItem, sender); }
    void copyTextFromMenuItem(const MenuEntry& sender) override { record(MenuAction::copyTextFromMenuItem, sender); }
    void copyWarningFromMenuItem(const MenuEntry& sender) override {
        record(MenuAction::copyWarningFromMenuItem, sender);
    }
    void refreshNow(const MenuEntry& sender) override { record(MenuAction::refreshNow, sender); }
    void chooseMarkdownFile(const MenuEntry& sender) override { record(MenuAction::chooseMarkdownFile, sender); }
    void saveStarterFile(const MenuEntry& sender) override { record(MenuAction::saveStarterFile, sender); }
    void revealMarkdownFile(const MenuEntry& sender) override { record(MenuAction::revealMarkdownFile, sender); }
    void showAbout(const MenuEntry& sender) override { record(MenuAction::showAbout, sender); }
    void openSettings(const MenuEntry& sender) override { record(MenuAction::openSettings, sender); }
    void quitApp(const MenuEntry& sender) override { record(MenuAction::quitApp, sender); }

private:
    void record(MenuAction action, const MenuEntry& sender) {
        calls.push_back({action, sender});
        if (onCall) {
            onCall();
        }
    }
};

}  // namespace ledgerly::testing
