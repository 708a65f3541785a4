#pragma once

#include <cstdint>
#include <functional>

namespace ledgerly {

// The system's hot-key service, as thin as it can be: the desktop shell
// implements it (key grabs on X11), HotKeyRegistrar holds the logic. Statuses
// are the system's, 0 meaning success.
class HotKeyBackend {
public:
    // Receives the identifier of a pressed hot key. It may be called from any
    // thread, inside a system callback, and must return quickly.
    using PressHandler = std::function<void(std::uint32_t identifier)>;

    // The four characters LDGR, first character in the most significant byte,
    // for services that tag hot keys with an application signature.
    static constexpr std::uint32_t signature = 0x4C444752;

    HotKeyBackend() = default;
    HotKeyBackend(const HotKeyBackend&) = delete;
    HotKeyBackend& operator=(const HotKeyBackend&) = delete;
    virtual ~HotKeyBackend() = default;

    // Starts delivering presses of registered hot keys to `handler`; called once.
    virtual std::int32_t installPressHandler(PressHandler handler) = 0;
    // Stops deliveries; once it returns the handler is not running and is never called again.
    virtual void removePressHandler() = 0;
    // Registers `keyCode` with a mask of KeyboardShortcut::hotKey...Mask bits under `identifier`.
    virtual std::int32_t registerHotKey(std::uint32_t identifier, std::uint32_t keyCode,
                                        std::uint32_t carbonModifiers) = 0;
    // Undoes the registration made under `identifier`.
    virtual void unregisterHotKey(std::uint32_t identifier) = 0;
};

}  // namespace ledgerly
