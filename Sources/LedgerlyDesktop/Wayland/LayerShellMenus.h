#pragma once

#include "LedgerlyDesktop/Wayland/LayerSurface.h"

#include <QObject>
#include <QPoint>
#include <QPointer>

#include <functional>
#include <map>
#include <memory>
#include <optional>

class QScreen;
class QTimer;
class QWidget;
struct wl_display;
struct wl_event_queue;
struct wl_registry;
struct zwlr_layer_shell_v1;

namespace ledgerly {

class SurfaceSignals;

// Our own menu as a native Wayland client. A Qt popup without a parent
// window becomes an ordinary window there (tiled on sway, far from the
// pointer), so each of our menu windows gets a surface of the compositor's
// overlay layer instead, at the very place Qt puts it: the menu floats,
// takes the keyboard, and its submenus open beside it. A transparent layer
// under the menus covers the screen, so that a click anywhere else closes
// them as Qt closes a popup. Needs wlr-layer-shell (sway and other wlroots
// desktops, KDE Plasma, Hyprland); elsewhere (GNOME) Qt's windows stay.
class LayerShellMenus final : public QObject {
    Q_OBJECT

public:
    // Null unless the application runs as a native Wayland client of a compositor with layer-shell.
    static std::unique_ptr<LayerShellMenus> create();
    ~LayerShellMenus() override;

    // Says where the pointer is, for a menu that opens without a click: lays
    // the transparent layer over `screen` and calls `located` as the pointer
    // enters it, or with none when no pointer shows up within a moment.
    void locatePointer(QScreen* screen, std::function<void(std::optional<QPoint>)> located);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Role { menu, submenu, cover };
    struct Binding;

    LayerShellMenus(wl_display* display, wl_event_queue* queue);
    bool bindGlobals();
    void follow(QWidget& window, Role role);
    void giveRole(QWidget& window);
    void dropRole(QWidget& window);
    void coverScreen(QScreen* screen);
    void hideCover();
    void pointerLocated(std::optional<QPoint> position);
    void dispatchPending();

    static void onGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                         std::uint32_t version);

    wl_display* display_;
    wl_event_queue* queue_;
    wl_registry* registry_ = nullptr;
    zwlr_layer_shell_v1* shell_ = nullptr;
    std::unique_ptr<QWidget> cover_;
    std::map<QWidget*, std::unique_ptr<Binding>> bindings_;
    // Waiting for the pointer to enter the cover; ends the wait when nothing enters.
    std::function<void(std::optional<QPoint>)> located_;
    QTimer* locateTimeout_ = nullptr;
};

}  // namespace ledgerly
