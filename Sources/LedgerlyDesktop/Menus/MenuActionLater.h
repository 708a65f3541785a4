#pragma once

#include "LedgerlyCore/Menu/MenuActionHandling.h"
#include "LedgerlyCore/Menu/MenuEntry.h"

#include <exception>
#include <functional>
#include <memory>

namespace ledgerly {

// Reports an error that escaped an action, so it never unwinds through Qt's event loop.
using MenuActionErrorReporter = std::function<void(const std::exception& error)>;

// Whether choosing `entry` sends an action: it has one and its handler was alive when it was built.
bool sendsMenuAction(const MenuEntry& entry);

// Sends `entry`'s action to `handler` once control is back in the event loop:
// an action may open a modal panel or replace the menu that sent it. Nothing
// happens when the handler is gone by then or the entry sends no action.
void performMenuActionLater(const std::weak_ptr<MenuActionHandling>& handler, const MenuEntry& entry,
                            const MenuActionErrorReporter& reportError);

}  // namespace ledgerly
