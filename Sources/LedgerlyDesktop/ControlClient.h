#pragma once

#include <QDBusConnection>

namespace ledgerly {

// Takes org.ledgerly.Ledgerly for this process: false when a running instance holds it.
bool claimControlName(QDBusConnection& bus);
// Asks the running instance to pop its menu; false when none answered.
bool requestShowMenu(QDBusConnection& bus);

}  // namespace ledgerly
