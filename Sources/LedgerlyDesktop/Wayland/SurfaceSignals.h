#pragma once

#include <QObject>

#include <functional>

class QPlatformWindow;
class QWindow;

namespace ledgerly {

// Tells when Qt makes and drops the Wayland surface of a window: Qt makes a
// new one each time the window is shown. Qt announces it only through its
// platform window's signals, which have no public type to connect to.
class SurfaceSignals final : public QObject {
    Q_OBJECT

public:
    // Follows `window`'s platform window as it is now. `destroyed` also runs when
    // Qt drops the platform window, after which this follows nothing.
    SurfaceSignals(QWindow* window, std::function<void()> created, std::function<void()> destroyed,
                   QObject* parent = nullptr);

    // Whether the platform window followed still exists and has the signals.
    bool isConnected() const { return connected_; }
    // The platform window followed, to tell when Qt made a new one.
    const QPlatformWindow* platformWindow() const { return platformWindow_; }

private slots:
    void surfaceCreated();
    void surfaceDestroyed();

private:
    std::function<void()> created_;
    std::function<void()> destroyed_;
    const QPlatformWindow* platformWindow_ = nullptr;
    bool connected_ = false;
};

}  // namespace ledgerly
