#include "LedgerlyDesktop/Wayland/LayerShellMenus.h"

#include "LedgerlyDesktop/LogCategories.h"
#include "LedgerlyDesktop/Menus/RenderedMenu.h"
#include "LedgerlyDesktop/Wayland/QtWaylandNative.h"
#include "LedgerlyDesktop/Wayland/SurfaceSignals.h"

#include "LedgerlyDesktop/Wayland/LayerShellProtocol.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEnterEvent>
#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <wayland-client.h>

#include <algorithm>
#include <chrono>
#include <cstring>

namespace ledgerly {
namespace {

constexpr std::uint32_t kLayerShellVersion = 3;
// How long a menu that opens without a click waits to learn where the pointer is.
constexpr std::chrono::milliseconds kPointerWait{200};

template <typename... Arguments>
void ignore(void*, Arguments...) {}

}  // namespace

struct LayerShellMenus::Binding {
    Role role = Role::menu;
    SurfaceSignals* surfaceSignals = nullptr;  // owned by the window
    std::unique_ptr<LayerSurface> surface;
};

std::unique_ptr<LayerShellMenus> LayerShellMenus::create() {
    wl_display* display = qtWaylandDisplay();
    if (display == nullptr) {
        return nullptr;
    }
    // Our objects get a queue of their own, so that waiting for the compositor never runs Qt's handlers.
    std::unique_ptr<LayerShellMenus> menus(new LayerShellMenus(display, wl_display_create_queue(display)));
    if (!menus->bindGlobals()) {
        qCDebug(lcMenu) << "the compositor has no layer-shell; menus stay Qt's own windows";
        return nullptr;
    }
    // Qt gives a window with this hint no shell surface of its own, so that it can get ours.
    qputenv("QT_WAYLAND_USE_BYPASSWINDOWMANAGERHINT", "1");
    QCoreApplication::instance()->installEventFilter(menus.get());
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, menus.get(), &LayerShellMenus::dispatchPending);
    }
    return menus;
}

LayerShellMenus::LayerShellMenus(wl_display* display, wl_event_queue* queue) : display_(display), queue_(queue) {}

LayerShellMenus::~LayerShellMenus() {
    QCoreApplication::instance()->removeEventFilter(this);
    bindings_.clear();
    cover_.reset();
    if (shell_ != nullptr) {
        zwlr_layer_shell_v1_destroy(shell_);
    }
    if (registry_ != nullptr) {
        wl_registry_destroy(registry_);
    }
    wl_display_flush(display_);
    wl_event_queue_destroy(queue_);
}

bool LayerShellMenus::bindGlobals() {
    auto* wrapped = static_cast<wl_display*>(wl_proxy_create_wrapper(display_));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapped), queue_);
    registry_ = wl_display_get_registry(wrapped);
    wl_proxy_wrapper_destroy(wrapped);
    static const wl_registry_listener registryListener = {&LayerShellMenus::onGlobal, &ignore<wl_registry*, uint32_t>};
    wl_registry_add_listener(registry_, &registryListener, this);
    wl_display_roundtrip_queue(display_, queue_);
    return shell_ != nullptr;
}

void LayerShellMenus::onGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                               std::uint32_t version) {
    auto* self = static_cast<LayerShellMenus*>(data);
    if (std::strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0) {
        self->shell_ = static_cast<zwlr_layer_shell_v1*>(
            wl_registry_bind(registry, name, &zwlr_layer_shell_v1_interface, std::min(version, kLayerShellVersion)));
    }
}

void LayerShellMenus::dispatchPending() { wl_display_dispatch_queue_pending(display_, queue_); }

void LayerShellMenus::locatePointer(QScreen* screen, std::function<void(std::optional<QPoint>)> located) {
    if (located_) {
        pointerLocated(std::nullopt);
    }
    located_ = std::move(located);
    coverScreen(screen);
    if (!locateTimeout_) {
        locateTimeout_ = new QTimer(this);
        locateTimeout_->setSingleShot(true);
        connect(locateTimeout_, &QTimer::timeout, this, [this] { pointerLocated(std::nullopt); });
    }
    // The compositor tells where the pointer is once it has shown the cover, within a frame or two.
    locateTimeout_->start(kPointerWait);
}

void LayerShellMenus::pointerLocated(std::optional<QPoint> position) {
    locateTimeout_->stop();
    if (auto located = std::move(located_)) {
        located_ = nullptr;
        located(position);
    }
}

void LayerShellMenus::coverScreen(QScreen* screen) {
    if (!cover_) {
        cover_ = std::make_unique<QWidget>(
            nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus);
        cover_->setAttribute(Qt::WA_TranslucentBackground);
        cover_->setAttribute(Qt::WA_ShowWithoutActivating);
        cover_->setWindowTitle(QStringLiteral("Ledgerly"));
        cover_->installEventFilter(this);
    }
    if (cover_->isVisible()) {
        return;
    }
    cover_->setScreen(screen);
    cover_->setGeometry(screen->geometry());
    follow(*cover_, Role::cover);
    cover_->show();
}

void LayerShellMenus::hideCover() {
    if (cover_) {
        cover_->hide();
    }
}

bool LayerShellMenus::eventFilter(QObject* watched, QEvent* event) {
    if (cover_ && watched == cover_.get() && event->type() == QEvent::Enter && located_) {
        pointerLocated(static_cast<QEnterEvent*>(event)->globalPosition().toPoint());
        return false;
    }
    auto* menu = qobject_cast<RenderedMenu*>(watched);
    if (menu == nullptr) {
        return false;
    }
    switch (event->type()) {
    case QEvent::Polish:
        // Menus are polished before Qt makes their window: the hint must be there by then.
        if (!menu->testAttribute(Qt::WA_WState_Created)) {
            menu->setWindowFlag(Qt::BypassWindowManagerHint);
        }
        break;
    case QEvent::Show: {
        const bool topLevel = menu->parentWidget() == nullptr;
        if (topLevel && !(cover_ && cover_->isVisible())) {
            coverScreen(menu->screen());
        }
        follow(*menu, topLevel ? Role::menu : Role::submenu);
        break;
    }
    case QEvent::Hide:
        if (menu->parentWidget() == nullptr) {
            hideCover();
        }
        break;
    case QEvent::Move:
    case QEvent::Resize: {
        const auto found = bindings_.find(menu);
        if (found != bindings_.end() && found->second->surface) {
            found->second->surface->place(menu->geometry(), menu->screen()->geometry());
        }
        break;
    }
    default:
        break;
    }
    return false;
}

void LayerShellMenus::follow(QWidget& window, Role role) {
    window.winId();  // makes the platform window, whose surface the first show uses
    auto& binding = bindings_[&window];
    if (!binding) {
        binding = std::make_unique<Binding>();
        connect(&window, &QObject::destroyed, this, [this, key = &window] { bindings_.erase(key); });
    }
    binding->role = role;
    if (binding->surfaceSignals == nullptr || !binding->surfaceSignals->isConnected() ||
        binding->surfaceSignals->platformWindow() != window.windowHandle()->handle()) {
        delete binding->surfaceSignals;
        binding->surfaceSignals = new SurfaceSignals(
            window.windowHandle(), [this, &window] { giveRole(window); }, [this, &window] { dropRole(window); },
            &window);
    }
    if (!binding->surface) {
        giveRole(window);
    }
}

void LayerShellMenus::giveRole(QWidget& window) {
    const auto found = bindings_.find(&window);
    wl_surface* surface = qtWaylandSurface(window.windowHandle());
    if (found == bindings_.end() || surface == nullptr) {
        return;
    }
    Binding& binding = *found->second;
    QScreen* screen = window.screen();
    LayerSurface::Request request;
    request.surface = surface;
    request.output = qtWaylandOutput(screen);
    request.layer = binding.role == Role::cover ? LayerSurface::Layer::top : LayerSurface::Layer::overlay;
    request.keyboard = binding.role == Role::menu ? LayerSurface::Keyboard::exclusive : LayerSurface::Keyboard::none;
    request.rectangle = window.geometry();
    request.screen = screen->geometry();
    request.fillsScreen = binding.role == Role::cover;
    QPointer<QWidget> guard(&window);
    qCDebug(lcMenu) << "layer surface for" << window.metaObject()->className() << request.rectangle;
    binding.surface = LayerSurface::create(display_, queue_, shell_, request, [guard] {
        if (guard) {
            guard->hide();
        }
    });
}

void LayerShellMenus::dropRole(QWidget& window) {
    const auto found = bindings_.find(&window);
    if (found != bindings_.end()) {
        found->second->surface.reset();
    }
}

}  // namespace ledgerly
