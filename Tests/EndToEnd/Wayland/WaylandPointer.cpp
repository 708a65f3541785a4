// ledgerly-test-pointer WIDTH HEIGHT: a mouse for a headless wlroots
// desktop, which has none. It reads commands from standard input, one a
// line, and answers "ok" once the compositor has taken each:
//
//   move X Y
//   click X Y [left|right]
//
// WIDTH and HEIGHT are the size of the output layout. The device lives as
// long as the tool: a desktop's mouse does not come and go with each click.

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

struct Pointer {
    wl_display* display;
    zwlr_virtual_pointer_v1* device;
    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t time = 1;

    void moveTo(std::uint32_t x, std::uint32_t y) {
        zwlr_virtual_pointer_v1_motion_absolute(device, time++, x, y, width, height);
        zwlr_virtual_pointer_v1_frame(device);
        wl_display_roundtrip(display);
    }

    void press(std::uint32_t button) {
        zwlr_virtual_pointer_v1_button(device, time++, button, WL_POINTER_BUTTON_STATE_PRESSED);
        zwlr_virtual_pointer_v1_frame(device);
        zwlr_virtual_pointer_v1_button(device, time++, button, WL_POINTER_BUTTON_STATE_RELEASED);
        zwlr_virtual_pointer_v1_frame(device);
        wl_display_roundtrip(display);
    }
};

bool run(Pointer& pointer, const std::string& line) {
    char command[16] = {};
    char button[16] = "left";
    unsigned x = 0;
    unsigned y = 0;
    if (std::sscanf(line.c_str(), "%15s %u %u %15s", command, &x, &y, button) < 3) {
        return false;
    }
    if (std::strcmp(command, "move") == 0) {
        pointer.moveTo(x, y);
        return true;
    }
    if (std::strcmp(command, "click") == 0) {
        pointer.moveTo(x, y);
        pointer.press(std::strcmp(button, "right") == 0 ? kRightButton : kLeftButton);
        return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: ledgerly-test-pointer WIDTH HEIGHT, then commands on standard input\n", stderr);
        return 2;
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
    Pointer pointer{display, zwlr_virtual_pointer_manager_v1_create_virtual_pointer(globals.manager, globals.seat),
                    static_cast<std::uint32_t>(std::atoi(argv[1])), static_cast<std::uint32_t>(std::atoi(argv[2]))};
    // The compositor adds the device before it takes its events.
    wl_display_roundtrip(display);
    std::string line;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, stdin) != nullptr) {
        line = buffer;
        std::puts(run(pointer, line) ? "ok" : "unknown command");
        std::fflush(stdout);
    }
    zwlr_virtual_pointer_v1_destroy(pointer.device);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
