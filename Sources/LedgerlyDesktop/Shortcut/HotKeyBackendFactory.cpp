#include "LedgerlyDesktop/Shortcut/HotKeyBackendFactory.h"

#include "LedgerlyDesktop/Shortcut/PortalHotKeyBackend.h"
#include "LedgerlyDesktop/Shortcut/X11HotKeyBackend.h"

#include <QGuiApplication>

namespace ledgerly {

std::unique_ptr<HotKeyBackend> makeHotKeyBackend(MainQueue& mainQueue, const QDBusConnection& bus) {
    // Under XWayland an X grab only sees keys typed into X11 windows, so a
    // Wayland client asks the portal even when an X server is around.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        return std::make_unique<PortalHotKeyBackend>(bus, QStringLiteral("Open the Ledgerly menu"));
    }
    return std::make_unique<X11HotKeyBackend>(mainQueue);
}

}  // namespace ledgerly
