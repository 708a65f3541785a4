#pragma once

#include <QRect>

#include <cstdint>
#include <functional>
#include <memory>

struct wl_display;
struct wl_event_queue;
struct wl_output;
struct wl_surface;
struct zwlr_layer_shell_v1;
struct zwlr_layer_surface_v1;
struct zwlr_layer_surface_v1_listener;

namespace ledgerly {

// One of our surfaces in a layer of the compositor's own (wlr-layer-shell):
// it floats above every window, is never tiled, and sits at a rectangle of
// the screen that we choose. The surface keeps the role while this lives.
class LayerSurface final {
public:
    enum class Layer : std::uint32_t { top = 2, overlay = 3 };
    enum class Keyboard : std::uint32_t { none = 0, exclusive = 1 };

    struct Request {
        wl_surface* surface = nullptr;
        wl_output* output = nullptr;
        Layer layer = Layer::overlay;
        Keyboard keyboard = Keyboard::none;
        // In the coordinates of all screens; ignored when `fillsScreen`.
        QRect rectangle;
        // The geometry of the screen of `output`, in the same coordinates.
        QRect screen;
        bool fillsScreen = false;
    };

    // Gives the surface its role and waits for the compositor's first
    // configure, before anything is drawn on it. Null when the compositor
    // refused; `onClosed` runs when the compositor takes the surface away.
    static std::unique_ptr<LayerSurface> create(wl_display* display, wl_event_queue* queue, zwlr_layer_shell_v1* shell,
                                                const Request& request, std::function<void()> onClosed);
    ~LayerSurface();
    LayerSurface(const LayerSurface&) = delete;
    LayerSurface& operator=(const LayerSurface&) = delete;

    // Moves the surface to `rectangle` of `screen`.
    void place(const QRect& rectangle, const QRect& screen);

private:
    LayerSurface(wl_surface* surface, std::function<void()> onClosed);

    static const zwlr_layer_surface_v1_listener* listener();
    static void onConfigure(void* data, zwlr_layer_surface_v1* layerSurface, std::uint32_t serial, std::uint32_t width,
                            std::uint32_t height);
    static void onClosedEvent(void* data, zwlr_layer_surface_v1* layerSurface);

    wl_surface* surface_;
    zwlr_layer_surface_v1* layerSurface_ = nullptr;
    std::function<void()> onClosed_;
    bool configured_ = false;
};

}  // namespace ledgerly
