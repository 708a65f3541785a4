#pragma once

#include <cstdint>
#include <optional>

namespace ledgerly {

// The running application as the desktop sees it.
class Application {
public:
    Application() = default;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    virtual ~Application() = default;

    // Brings the application to the front, taking focus from others.
    virtual void bringToFront() = 0;
    // Shows the About dialog.
    virtual void showAboutDialog() = 0;
    // Ends the application through its normal termination.
    virtual void terminate() = 0;
    // Raw modifier bits (Shift 0x20000, Control 0x40000, Option 0x80000, Command 0x100000)
    // of the event being handled now, or none when no event is being handled.
    virtual std::optional<std::uint64_t> currentEventModifierFlags() const = 0;
};

}  // namespace ledgerly
