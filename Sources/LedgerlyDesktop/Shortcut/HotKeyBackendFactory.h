#pragma once

#include "LedgerlyCore/Platform/MainQueue.h"
#include "LedgerlyCore/Settings/HotKeyBackend.h"

#include <QDBusConnection>

#include <memory>

namespace ledgerly {

// The global shortcut's service for the session the application runs in: key
// grabs on X11, the desktop portal as a native Wayland client. Where neither
// serves, the backend refuses every registration and the settings say so.
std::unique_ptr<HotKeyBackend> makeHotKeyBackend(MainQueue& mainQueue, const QDBusConnection& bus);

}  // namespace ledgerly
