// ledgerly-test-pointer: moves and clicks a virtual pointer on a wlroots
// desktop, which a headless session has no other way to get.
//
//   ledgerly-test-pointer WIDTH HEIGHT move X Y
//   ledgerly-test-pointer WIDTH HEIGHT click X Y [left|right]
//   ledgerly-test-pointer WIDTH HEIGHT hold X Y
//
// A pointer exists only while its device does: "hold" keeps it at X Y until
// the tool is stopped, as a mouse resting there would.
// WIDTH and HEIGHT are the size of the output layout.

#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr std::uint32_t kLeftButton = 0x110;  // BTN_LEFT
constexpr std::uint32_t kRightButton = 0x111;

struct Globals {
    wl_seat* seat = nullptr;
    zwlr_virtual_pointer_manager_v1* manager = nullptr;
};

void onGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t) {
    auto* globals = static_cast<Globals*>(data);
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && globals->seat == nullptr) {
        globals->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    } else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
        globals->manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
    }
}

void onGlobalRemove(void*, wl_registry*, std::uint32_t) {}

const wl_registry_listener kRegistryListener = {onGlobal, onGlobalRemove};

int usage() {
    std::fputs("usage: ledgerly-test-pointer WIDTH HEIGHT move|click|hold X Y [left|right]\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 6) {
        return usage();
    }
    const auto width = static_cast<std::uint32_t>(std::atoi(argv[1]));
    const auto height = static_cast<std::uint32_t>(std::atoi(argv[2]));
    const std::string command = argv[3];
    const auto x = static_cast<std::uint32_t>(std::atoi(argv[4]));
    const auto y = static_cast<std::uint32_t>(std::atoi(argv[5]));
    const bool right = argc > 6 && std::string(argv[6]) == "right";
    if (command != "move" && command != "click" && command != "hold") {
        return usage();
    }

    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        std::fputs("ledgerly-test-pointer: no Wayland display\n", stderr);
        return 1;
    }
    Globals globals;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistryListener, &globals);
    wl_display_roundtrip(display);
    if (globals.manager == nullptr) {
        std::fputs("ledgerly-test-pointer: the compositor has no virtual pointers\n", stderr);
        return 1;
    }
    zwlr_virtual_pointer_v1* pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(globals.manager, globals.seat);
    // The compositor adds the device before it takes its events.
    wl_display_roundtrip(display);
    std::uint32_t time = 1;
    zwlr_virtual_pointer_v1_motion_absolute(pointer, time++, x, y, width, height);
    zwlr_virtual_pointer_v1_frame(pointer);
    wl_display_roundtrip(display);
    if (command == "click") {
        const std::uint32_t button = right ? kRightButton : kLeftButton;
        zwlr_virtual_pointer_v1_button(pointer, time++, button, WL_POINTER_BUTTON_STATE_PRESSED);
        zwlr_virtual_pointer_v1_frame(pointer);
        zwlr_virtual_pointer_v1_button(pointer, time++, button, WL_POINTER_BUTTON_STATE_RELEASED);
        zwlr_virtual_pointer_v1_frame(pointer);
    }
    wl_display_roundtrip(display);
    if (command == "hold") {
        while (wl_display_dispatch(display) >= 0) {
        }
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
