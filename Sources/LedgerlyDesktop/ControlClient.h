#pragma once

#include <QDBusConnection>

namespace ledgerly {

enum class ControlNameClaim {
    claimed,
    // A running instance holds the name.
    heldElsewhere,
    // The bus gave an error, which is logged; nothing says that another instance runs.
    failed,
};

// Takes org.ledgerly.Ledgerly for this process.
ControlNameClaim claimControlName(QDBusConnection& bus);

enum class ShowMenuRequest {
    shown,
    // No instance holds the name.
    notRunning,
    // The running instance did not answer, or the bus gave another error, which is logged.
    failed,
};

// Asks the running instance to pop its menu.
ShowMenuRequest requestShowMenu(QDBusConnection& bus);

}  // namespace ledgerly
