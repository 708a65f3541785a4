#pragma once

#include "LedgerlyCore/Menu/MenuActionHandling.h"

namespace ledgerly {

// Tools and tests need a live handler so that entries get a target, but nothing should happen.
class InertMenuActionHandler final : public MenuActionHandling {
public:
    void openURLFromMenuItem(const MenuEntry&) override {}
    void copyTextFromMenuItem(const MenuEntry&) override {}
    void copyWarningFromMenuItem(const MenuEntry&) override {}
    void refreshNow(const MenuEntry&) override {}
    void chooseMarkdownFile(const MenuEntry&) override {}
    void saveStarterFile(const MenuEntry&) override {}
    void revealMarkdownFile(const MenuEntry&) override {}
    void showAbout(const MenuEntry&) override {}
    void openSettings(const MenuEntry&) override {}
    void quitApp(const MenuEntry&) override {}
};

}  // namespace ledgerly
