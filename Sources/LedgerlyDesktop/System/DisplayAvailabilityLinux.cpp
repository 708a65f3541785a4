#include "LedgerlyDesktop/System/DisplayAvailability.h"

#include <xcb/xcb.h>

namespace ledgerly {
namespace {

bool canReachXServer(const QByteArray& display) {
    xcb_connection_t* connection = xcb_connect(display.constData(), nullptr);
    const bool reachable = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return reachable;
}

}  // namespace

bool hasDisplay(const QProcessEnvironment& environment) {
    const QString platform = environment.value(QStringLiteral("QT_QPA_PLATFORM"));
    // Headless platforms (tests, screenshots) need no session.
    if (platform.startsWith(QLatin1String("offscreen")) || platform.startsWith(QLatin1String("minimal"))) {
        return true;
    }
    if (!environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty()) {
        return true;
    }
    const QString display = environment.value(QStringLiteral("DISPLAY"));
    return !display.isEmpty() && canReachXServer(display.toLocal8Bit());
}

QByteArray preferredQtPlatform(const QProcessEnvironment& environment) {
    const bool chosenByUser = environment.contains(QStringLiteral("QT_QPA_PLATFORM"));
    const bool wayland = !environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty();
    const bool xwayland = !environment.value(QStringLiteral("DISPLAY")).isEmpty();
    if (chosenByUser || !wayland) {
        return {};
    }
    return xwayland ? QByteArray("wayland;xcb") : QByteArray("wayland");
}

}  // namespace ledgerly
