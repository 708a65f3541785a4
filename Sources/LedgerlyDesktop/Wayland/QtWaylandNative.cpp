#include "LedgerlyDesktop/Wayland/QtWaylandNative.h"

#include <qpa/qplatformnativeinterface.h>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

namespace ledgerly {
namespace {

QPlatformNativeInterface* nativeInterface() {
    return isNativeWayland() ? QGuiApplication::platformNativeInterface() : nullptr;
}

}  // namespace

bool isNativeWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

wl_display* qtWaylandDisplay() {
    QPlatformNativeInterface* native = nativeInterface();
    return native != nullptr ? static_cast<wl_display*>(native->nativeResourceForIntegration("wl_display")) : nullptr;
}

wl_surface* qtWaylandSurface(QWindow* window) {
    QPlatformNativeInterface* native = nativeInterface();
    if (native == nullptr || window == nullptr || window->handle() == nullptr) {
        return nullptr;
    }
    return static_cast<wl_surface*>(native->nativeResourceForWindow("surface", window));
}

wl_output* qtWaylandOutput(QScreen* screen) {
    QPlatformNativeInterface* native = nativeInterface();
    if (native == nullptr || screen == nullptr) {
        return nullptr;
    }
    return static_cast<wl_output*>(native->nativeResourceForScreen("output", screen));
}

}  // namespace ledgerly
