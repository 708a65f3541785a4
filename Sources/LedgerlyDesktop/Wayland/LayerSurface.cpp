#include "LedgerlyDesktop/Wayland/LayerSurface.h"

#include "LedgerlyDesktop/LogCategories.h"

#include "LedgerlyDesktop/Wayland/LayerShellProtocol.h"

#include <wayland-client.h>

namespace ledgerly {
namespace {

constexpr int kMaximumConfigureRoundtrips = 3;

}  // namespace

LayerSurface::LayerSurface(wl_surface* surface, std::function<void()> onClosed)
    : surface_(surface), onClosed_(std::move(onClosed)) {}

std::unique_ptr<LayerSurface> LayerSurface::create(wl_display* display, wl_event_queue* queue,
                                                   zwlr_layer_shell_v1* shell, const Request& request,
                                                   std::function<void()> onClosed) {
    std::unique_ptr<LayerSurface> result(new LayerSurface(request.surface, std::move(onClosed)));
    result->layerSurface_ = zwlr_layer_shell_v1_get_layer_surface(
        shell, request.surface, request.output, static_cast<std::uint32_t>(request.layer), "ledgerly-menu");
    zwlr_layer_surface_v1_add_listener(result->layerSurface_, listener(), result.get());
    // Placed against the whole screen, over panels too, so that our coordinates are the screen's.
    zwlr_layer_surface_v1_set_exclusive_zone(result->layerSurface_, -1);
    zwlr_layer_surface_v1_set_keyboard_interactivity(result->layerSurface_,
                                                     static_cast<std::uint32_t>(request.keyboard));
    if (request.fillsScreen) {
        zwlr_layer_surface_v1_set_anchor(result->layerSurface_,
                                         ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                                             ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
        wl_surface_commit(request.surface);
    } else {
        zwlr_layer_surface_v1_set_anchor(result->layerSurface_,
                                         ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT);
        result->place(request.rectangle, request.screen);
    }
    // Nothing may be drawn on the surface before its first configure.
    for (int round = 0; round < kMaximumConfigureRoundtrips && !result->configured_; ++round) {
        if (wl_display_roundtrip_queue(display, queue) < 0) {
            break;
        }
    }
    if (!result->configured_) {
        qCWarning(lcMenu) << "the compositor did not place the menu's layer surface";
        return nullptr;
    }
    return result;
}

LayerSurface::~LayerSurface() {
    if (layerSurface_ != nullptr) {
        zwlr_layer_surface_v1_destroy(layerSurface_);
    }
}

void LayerSurface::place(const QRect& rectangle, const QRect& screen) {
    zwlr_layer_surface_v1_set_size(layerSurface_, static_cast<std::uint32_t>(std::max(1, rectangle.width())),
                                   static_cast<std::uint32_t>(std::max(1, rectangle.height())));
    zwlr_layer_surface_v1_set_margin(layerSurface_, rectangle.top() - screen.top(), 0, 0,
                                     rectangle.left() - screen.left());
    wl_surface_commit(surface_);
}

void LayerSurface::onConfigure(void* data, zwlr_layer_surface_v1* layerSurface, std::uint32_t serial, std::uint32_t,
                               std::uint32_t) {
    auto* self = static_cast<LayerSurface*>(data);
    zwlr_layer_surface_v1_ack_configure(layerSurface, serial);
    self->configured_ = true;
}

void LayerSurface::onClosedEvent(void* data, zwlr_layer_surface_v1*) {
    auto* self = static_cast<LayerSurface*>(data);
    if (self->onClosed_) {
        self->onClosed_();
    }
}

const zwlr_layer_surface_v1_listener* LayerSurface::listener() {
    static const zwlr_layer_surface_v1_listener value = {
        &LayerSurface::onConfigure,
        &LayerSurface::onClosedEvent,
    };
    return &value;
}

}  // namespace ledgerly
