#pragma once

struct wl_display;
struct wl_output;
struct wl_surface;
class QScreen;
class QWindow;

namespace ledgerly {

// Qt's own Wayland objects, for protocols Qt does not speak itself. All are
// null when the application does not run as a native Wayland client.

// Qt's connection to the compositor.
wl_display* qtWaylandDisplay();
// The surface of `window`; Qt makes a new one each time the window is shown.
wl_surface* qtWaylandSurface(QWindow* window);
// The output that shows `screen`.
wl_output* qtWaylandOutput(QScreen* screen);

// Whether the application runs as a native Wayland client.
bool isNativeWayland();

}  // namespace ledgerly
