#include "LedgerlyDesktop/Wayland/SurfaceSignals.h"

#include <qpa/qplatformwindow.h>
#include <QWindow>

namespace ledgerly {

SurfaceSignals::SurfaceSignals(QWindow* window, std::function<void()> created, std::function<void()> destroyed,
                               QObject* parent)
    : QObject(parent), created_(std::move(created)), destroyed_(std::move(destroyed)) {
    // Qt's Wayland window is a QObject besides a QPlatformWindow; its surface signals are Qt's own.
    platformWindow_ = window->handle();
    auto* platformWindow = dynamic_cast<QObject*>(window->handle());
    if (platformWindow == nullptr) {
        return;
    }
    // Direct: the surface must get its role before Qt draws on it, within the same call.
    connected_ =
        connect(platformWindow, SIGNAL(wlSurfaceCreated()), this, SLOT(surfaceCreated()), Qt::DirectConnection) &&
        connect(platformWindow, SIGNAL(wlSurfaceDestroyed()), this, SLOT(surfaceDestroyed()), Qt::DirectConnection);
    // Qt drops the platform window of a hidden popup and makes another, often at the same address.
    connect(platformWindow, &QObject::destroyed, this, [this] {
        connected_ = false;
        platformWindow_ = nullptr;
        destroyed_();
    });
}

void SurfaceSignals::surfaceCreated() { created_(); }

void SurfaceSignals::surfaceDestroyed() { destroyed_(); }

}  // namespace ledgerly
