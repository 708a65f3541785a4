#pragma once

#include "LedgerlyCore/Platform/Pasteboard.h"

#include <QByteArray>
#include <QObject>

#include <cstdint>
#include <memory>

class QSocketNotifier;
struct wl_display;
struct wl_registry;
struct wl_seat;
struct zwlr_data_control_device_v1;
struct zwlr_data_control_manager_v1;
struct zwlr_data_control_offer_v1;
struct zwlr_data_control_source_v1;

namespace ledgerly {

// The clipboard through wlr-data-control, on a connection of its own to the
// compositor. Unlike an ordinary Wayland client, a data-control client may
// set the clipboard without holding the keyboard focus, so that a snippet
// chosen from a panel's drawing of our menu, while no window of ours has the
// focus, reaches every application (X11 ones through XWayland).
class DataControlClipboard final : public QObject, public Pasteboard {
    Q_OBJECT

public:
    // Null outside a Wayland session or when the compositor has no data-control (GNOME).
    static std::unique_ptr<DataControlClipboard> create();
    ~DataControlClipboard() override;

    void setString(const std::string& text) override;

private:
    explicit DataControlClipboard(wl_display* display);
    bool bindGlobals();
    void readEvents();
    void flush();

    static void onGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                         std::uint32_t version);
    static void onSend(void* data, zwlr_data_control_source_v1* source, const char* mimeType, std::int32_t fd);
    static void onCancelled(void* data, zwlr_data_control_source_v1* source);
    static void onDataOffer(void* data, zwlr_data_control_device_v1* device, zwlr_data_control_offer_v1* offer);
    static void onSelection(void* data, zwlr_data_control_device_v1* device, zwlr_data_control_offer_v1* offer);
    static void onFinished(void* data, zwlr_data_control_device_v1* device);

    wl_display* display_;
    wl_registry* registry_ = nullptr;
    wl_seat* seat_ = nullptr;
    zwlr_data_control_manager_v1* manager_ = nullptr;
    zwlr_data_control_device_v1* device_ = nullptr;
    zwlr_data_control_source_v1* source_ = nullptr;
    QByteArray text_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace ledgerly
