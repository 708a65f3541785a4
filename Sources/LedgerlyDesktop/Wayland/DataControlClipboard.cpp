#include "LedgerlyDesktop/Wayland/DataControlClipboard.h"

#include "LedgerlyDesktop/LogCategories.h"
#include "LedgerlyDesktop/Wayland/PipeWriter.h"

#include "wlr-data-control-unstable-v1-client-protocol.h"

#include <QAbstractEventDispatcher>
#include <QSocketNotifier>

#include <wayland-client.h>

#include <unistd.h>
#include <csignal>
#include <cstring>

namespace ledgerly {
namespace {

// What applications ask for when they paste plain text, from the most precise.
constexpr const char* kTextTypes[] = {"text/plain;charset=utf-8", "text/plain", "UTF8_STRING", "TEXT", "STRING"};

}  // namespace

std::unique_ptr<DataControlClipboard> DataControlClipboard::create() {
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        return nullptr;
    }
    std::unique_ptr<DataControlClipboard> clipboard(new DataControlClipboard(display));
    if (!clipboard->bindGlobals()) {
        qCDebug(lcMenu) << "the compositor has no data-control; copies go through Qt's clipboard";
        return nullptr;
    }
    // A pasting application that goes away while we write must not end ours.
    std::signal(SIGPIPE, SIG_IGN);
    clipboard->notifier_ = new QSocketNotifier(wl_display_get_fd(display), QSocketNotifier::Read, clipboard.get());
    connect(clipboard->notifier_, &QSocketNotifier::activated, clipboard.get(), &DataControlClipboard::readEvents);
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, clipboard.get(), &DataControlClipboard::flush);
    }
    return clipboard;
}

DataControlClipboard::DataControlClipboard(wl_display* display) : display_(display) {}

DataControlClipboard::~DataControlClipboard() {
    delete notifier_;
    if (source_ != nullptr) {
        zwlr_data_control_source_v1_destroy(source_);
    }
    if (device_ != nullptr) {
        zwlr_data_control_device_v1_destroy(device_);
    }
    if (manager_ != nullptr) {
        zwlr_data_control_manager_v1_destroy(manager_);
    }
    if (seat_ != nullptr) {
        wl_seat_destroy(seat_);
    }
    if (registry_ != nullptr) {
        wl_registry_destroy(registry_);
    }
    wl_display_disconnect(display_);
}

bool DataControlClipboard::bindGlobals() {
    registry_ = wl_display_get_registry(display_);
    static const wl_registry_listener registryListener = {&DataControlClipboard::onGlobal,
                                                          [](void*, wl_registry*, std::uint32_t) {}};
    wl_registry_add_listener(registry_, &registryListener, this);
    wl_display_roundtrip(display_);
    if (manager_ == nullptr || seat_ == nullptr) {
        return false;
    }
    device_ = zwlr_data_control_manager_v1_get_data_device(manager_, seat_);
    static const zwlr_data_control_device_v1_listener deviceListener = {
        &DataControlClipboard::onDataOffer,
        &DataControlClipboard::onSelection,
        &DataControlClipboard::onFinished,
        &DataControlClipboard::onSelection,
    };
    zwlr_data_control_device_v1_add_listener(device_, &deviceListener, this);
    wl_display_roundtrip(display_);
    return true;
}

void DataControlClipboard::onGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                                    std::uint32_t) {
    auto* self = static_cast<DataControlClipboard*>(data);
    if (std::strcmp(interface, zwlr_data_control_manager_v1_interface.name) == 0) {
        self->manager_ = static_cast<zwlr_data_control_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_data_control_manager_v1_interface, 1));
    } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && self->seat_ == nullptr) {
        self->seat_ = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    }
}

void DataControlClipboard::setString(const std::string& text) {
    if (device_ == nullptr) {
        qCWarning(lcMenu) << "the compositor took the clipboard away; nothing was copied";
        return;
    }
    text_ = QByteArray::fromStdString(text);
    auto* source = zwlr_data_control_manager_v1_create_data_source(manager_);
    static const zwlr_data_control_source_v1_listener sourceListener = {&DataControlClipboard::onSend,
                                                                        &DataControlClipboard::onCancelled};
    zwlr_data_control_source_v1_add_listener(source, &sourceListener, this);
    for (const char* type : kTextTypes) {
        zwlr_data_control_source_v1_offer(source, type);
    }
    // The source that held the clipboard until now is cancelled by the compositor.
    zwlr_data_control_device_v1_set_selection(device_, source);
    source_ = source;
    flush();
}

void DataControlClipboard::onSend(void* data, zwlr_data_control_source_v1* source, const char*, std::int32_t fd) {
    auto* self = static_cast<DataControlClipboard*>(data);
    if (source != self->source_) {
        ::close(fd);
        return;
    }
    PipeWriter::start(fd, self->text_);
}

void DataControlClipboard::onCancelled(void* data, zwlr_data_control_source_v1* source) {
    auto* self = static_cast<DataControlClipboard*>(data);
    if (source == self->source_) {
        self->source_ = nullptr;
    }
    zwlr_data_control_source_v1_destroy(source);
}

void DataControlClipboard::onDataOffer(void*, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1*) {}

void DataControlClipboard::onSelection(void*, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer) {
    // We only write the clipboard; what others put there is not read.
    if (offer != nullptr) {
        zwlr_data_control_offer_v1_destroy(offer);
    }
}

void DataControlClipboard::onFinished(void* data, zwlr_data_control_device_v1* device) {
    auto* self = static_cast<DataControlClipboard*>(data);
    zwlr_data_control_device_v1_destroy(device);
    self->device_ = nullptr;
}

void DataControlClipboard::readEvents() {
    if (wl_display_prepare_read(display_) == 0) {
        wl_display_read_events(display_);
    }
    if (wl_display_dispatch_pending(display_) < 0) {
        qCWarning(lcMenu) << "lost the clipboard's connection to the compositor";
        notifier_->setEnabled(false);
    }
    flush();
}

void DataControlClipboard::flush() {
    wl_display_dispatch_pending(display_);
    wl_display_flush(display_);
}

}  // namespace ledgerly
