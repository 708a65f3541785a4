#pragma once

#include "LedgerlyCore/Platform/MainQueue.h"
#include "LedgerlyCore/Settings/HotKeyBackend.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>

struct xcb_connection_t;
struct _XCBKeySymbols;  // xcb_key_symbols_t
struct xcb_key_press_event_t;

namespace ledgerly {

// Global hot keys on X11: passive key grabs on the root window over a
// connection of our own, whose descriptor the main queue watches. Works under
// any X11 window manager; a pure Wayland session has no X server to ask.
class X11HotKeyBackend final : public HotKeyBackend {
public:
    // X's own status when the display cannot be opened at all.
    static constexpr std::int32_t noDisplayStatus = -1;

    // `displayName` empty: the DISPLAY environment variable. Connects on install.
    explicit X11HotKeyBackend(MainQueue& mainQueue, std::string displayName = {});
    ~X11HotKeyBackend() override;

    // Opens the X connection; a non-zero xcb connection error when there is none.
    std::int32_t installPressHandler(PressHandler handler) override;
    void removePressHandler() override;
    // Grabs the key with every Num Lock and Caps Lock combination; the X error code when another client holds it.
    std::int32_t registerHotKey(std::uint32_t identifier, std::uint32_t keyCode,
                                std::uint32_t carbonModifiers) override;
    void unregisterHotKey(std::uint32_t identifier) override;

    // The X modifier mask (Shift, Control, Mod1 for Option, Mod4 for Command) of a carbonModifiers mask.
    static std::uint16_t x11Modifiers(std::uint32_t carbonModifiers);

private:
    struct Grab {
        std::uint8_t keycode;
        std::uint16_t modifiers;
        bool operator==(const Grab&) const = default;
    };

    bool connect();
    void disconnect();
    void readEvents();
    void stopWatchingIfBroken();
    void handleKeyPress(const xcb_key_press_event_t& event);
    std::uint16_t numLockMask() const;
    std::int32_t grab(const Grab& grab);
    void ungrab(const Grab& grab);

    MainQueue& mainQueue_;
    std::string displayName_;
    xcb_connection_t* connection_ = nullptr;
    _XCBKeySymbols* keySymbols_ = nullptr;
    std::uint32_t root_ = 0;
    std::optional<MainQueue::WatchId> watch_;
    PressHandler handler_;
    std::map<std::uint32_t, Grab> grabs_;
};

}  // namespace ledgerly
