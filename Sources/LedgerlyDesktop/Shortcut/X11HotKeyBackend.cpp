#include "LedgerlyDesktop/Shortcut/X11HotKeyBackend.h"

#include "LedgerlyCore/Settings/KeyboardShortcut.h"
#include "LedgerlyDesktop/LogCategories.h"
#include "LedgerlyDesktop/Shortcut/VirtualKeyTable.h"

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <vector>

namespace ledgerly {
namespace {

constexpr std::uint32_t kNumLockKeysym = 0xff7f;
constexpr std::uint16_t kGrabbedModifiers = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;

template <typename T>
using XcbReply = std::unique_ptr<T, decltype(&std::free)>;

}  // namespace

X11HotKeyBackend::X11HotKeyBackend(MainQueue& mainQueue, std::string displayName)
    : mainQueue_(mainQueue), displayName_(std::move(displayName)) {}

X11HotKeyBackend::~X11HotKeyBackend() { disconnect(); }

std::uint16_t X11HotKeyBackend::x11Modifiers(std::uint32_t carbonModifiers) {
    std::uint16_t modifiers = 0;
    if ((carbonModifiers & KeyboardShortcut::hotKeyShiftMask) != 0) {
        modifiers |= XCB_MOD_MASK_SHIFT;
    }
    if ((carbonModifiers & KeyboardShortcut::hotKeyControlMask) != 0) {
        modifiers |= XCB_MOD_MASK_CONTROL;
    }
    if ((carbonModifiers & KeyboardShortcut::hotKeyOptionMask) != 0) {
        modifiers |= XCB_MOD_MASK_1;
    }
    if ((carbonModifiers & KeyboardShortcut::hotKeyCommandMask) != 0) {
        modifiers |= XCB_MOD_MASK_4;
    }
    return modifiers;
}

bool X11HotKeyBackend::connect() {
    int screenNumber = 0;
    connection_ = xcb_connect(displayName_.empty() ? nullptr : displayName_.c_str(), &screenNumber);
    if (xcb_connection_has_error(connection_) != 0) {
        return false;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i) {
        xcb_screen_next(&screens);
    }
    root_ = screens.data->root;
    keySymbols_ = xcb_key_symbols_alloc(connection_);
    return true;
}

void X11HotKeyBackend::disconnect() {
    if (watch_) {
        mainQueue_.cancelWatch(*watch_);
        watch_.reset();
    }
    if (keySymbols_ != nullptr) {
        xcb_key_symbols_free(keySymbols_);
        keySymbols_ = nullptr;
    }
    if (connection_ != nullptr) {
        // Closing the connection also releases every grab it holds.
        xcb_disconnect(connection_);
        connection_ = nullptr;
    }
    grabs_.clear();
}

std::int32_t X11HotKeyBackend::installPressHandler(PressHandler handler) {
    if (connection_ == nullptr && !connect()) {
        const int error = xcb_connection_has_error(connection_);
        disconnect();
        qCWarning(lcShortcut).nospace() << "No global shortcut: could not connect to the X server (xcb error " << error
                                        << ")";
        return error != 0 ? error : noDisplayStatus;
    }
    handler_ = std::move(handler);
    watch_ = mainQueue_.watchReadable(xcb_get_file_descriptor(connection_), [this] { readEvents(); });
    return 0;
}

void X11HotKeyBackend::removePressHandler() {
    if (watch_) {
        mainQueue_.cancelWatch(*watch_);
        watch_.reset();
    }
    handler_ = nullptr;
}

std::uint16_t X11HotKeyBackend::numLockMask() const {
    const auto modifierMap = XcbReply<xcb_get_modifier_mapping_reply_t>(
        xcb_get_modifier_mapping_reply(connection_, xcb_get_modifier_mapping(connection_), nullptr), &std::free);
    const XcbReply<xcb_keycode_t> numLockCodes(xcb_key_symbols_get_keycode(keySymbols_, kNumLockKeysym), &std::free);
    if (!modifierMap || !numLockCodes) {
        return 0;
    }
    const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(modifierMap.get());
    const int perModifier = modifierMap->keycodes_per_modifier;
    for (int modifier = 0; modifier < 8; ++modifier) {
        for (int i = 0; i < perModifier; ++i) {
            const xcb_keycode_t code = codes[modifier * perModifier + i];
            for (const xcb_keycode_t* numLock = numLockCodes.get(); *numLock != XCB_NO_SYMBOL; ++numLock) {
                if (code != 0 && code == *numLock) {
                    return static_cast<std::uint16_t>(1U << modifier);
                }
            }
        }
    }
    return 0;
}

std::int32_t X11HotKeyBackend::grab(const Grab& grab) {
    // A grab matches the modifier state exactly, so Num Lock and Caps Lock each need their own.
    const std::uint16_t numLock = numLockMask();
    const std::array<std::uint16_t, 4> lockStates = {0, XCB_MOD_MASK_LOCK, numLock,
                                                     static_cast<std::uint16_t>(numLock | XCB_MOD_MASK_LOCK)};
    std::vector<xcb_void_cookie_t> cookies;
    for (const std::uint16_t locks : lockStates) {
        cookies.push_back(xcb_grab_key_checked(connection_, 1, root_, grab.modifiers | locks, grab.keycode,
                                               XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    }
    std::int32_t status = 0;
    for (const xcb_void_cookie_t cookie : cookies) {
        const XcbReply<xcb_generic_error_t> error(xcb_request_check(connection_, cookie), &std::free);
        if (error && status == 0) {
            status = error->error_code;
        }
    }
    if (status != 0) {
        ungrab(grab);
    }
    return status;
}

void X11HotKeyBackend::ungrab(const Grab& grab) {
    const std::uint16_t numLock = numLockMask();
    for (const std::uint16_t locks : {std::uint16_t{0}, std::uint16_t{XCB_MOD_MASK_LOCK}, numLock,
                                      static_cast<std::uint16_t>(numLock | XCB_MOD_MASK_LOCK)}) {
        xcb_ungrab_key(connection_, grab.keycode, root_, grab.modifiers | locks);
    }
    xcb_flush(connection_);
}

std::int32_t X11HotKeyBackend::registerHotKey(std::uint32_t identifier, std::uint32_t keyCode,
                                              std::uint32_t carbonModifiers) {
    if (connection_ == nullptr) {
        return noDisplayStatus;
    }
    const auto keysym = keyCode <= 0xffff ? keysymForVirtualKey(static_cast<std::uint16_t>(keyCode)) : std::nullopt;
    const XcbReply<xcb_keycode_t> keycodes(keysym ? xcb_key_symbols_get_keycode(keySymbols_, *keysym) : nullptr,
                                           &std::free);
    if (!keycodes || keycodes.get()[0] == XCB_NO_SYMBOL) {
        const std::string_view name =
            keysym ? keysymNameForVirtualKey(static_cast<std::uint16_t>(keyCode)).value_or("it") : "it";
        qCWarning(lcShortcut).noquote() << "No global shortcut: no key of this keyboard types"
                                        << QLatin1String(name.data(), static_cast<qsizetype>(name.size()));
        return XCB_VALUE;
    }
    const Grab wanted{keycodes.get()[0], x11Modifiers(carbonModifiers)};
    for (const auto& [id, held] : grabs_) {
        if (held == wanted) {
            grabs_.emplace(identifier, wanted);  // X already delivers this key to us
            return 0;
        }
    }
    const std::int32_t status = grab(wanted);
    if (status == 0) {
        grabs_.emplace(identifier, wanted);
    } else if (status == XCB_ACCESS) {
        qCWarning(lcShortcut) << "No global shortcut: another program already grabs this key combination";
    } else {
        qCWarning(lcShortcut) << "No global shortcut: the X server refused the key grab, X error" << status;
    }
    return status;
}

void X11HotKeyBackend::unregisterHotKey(std::uint32_t identifier) {
    const auto found = grabs_.find(identifier);
    if (found == grabs_.end()) {
        return;
    }
    const Grab released = found->second;
    grabs_.erase(found);
    // A newer registration of the same key shares the grab; it stays until the last one goes.
    for (const auto& [id, held] : grabs_) {
        if (held == released) {
            return;
        }
    }
    ungrab(released);
}

void X11HotKeyBackend::readEvents() {
    while (connection_ != nullptr) {
        const XcbReply<xcb_generic_event_t> event(xcb_poll_for_event(connection_), &std::free);
        if (!event) {
            stopWatchingIfBroken();
            return;
        }
        const std::uint8_t type = event->response_type & 0x7f;
        if (type == XCB_KEY_PRESS) {
            handleKeyPress(*reinterpret_cast<const xcb_key_press_event_t*>(event.get()));
        } else if (type == XCB_MAPPING_NOTIFY) {
            xcb_refresh_keyboard_mapping(keySymbols_, reinterpret_cast<xcb_mapping_notify_event_t*>(event.get()));
        }
    }
}

void X11HotKeyBackend::stopWatchingIfBroken() {
    // A lost X server leaves the descriptor readable for ever; watching it would spin.
    if (watch_ && xcb_connection_has_error(connection_) != 0) {
        mainQueue_.cancelWatch(*watch_);
        watch_.reset();
    }
}

void X11HotKeyBackend::handleKeyPress(const xcb_key_press_event_t& event) {
    // The passive grab turned active; give the keyboard back at once so the menu can grab it.
    xcb_ungrab_keyboard(connection_, event.time);
    xcb_flush(connection_);
    const Grab pressed{event.detail, static_cast<std::uint16_t>(event.state & kGrabbedModifiers)};
    // The newest registration of a key is the live one.
    for (auto entry = grabs_.rbegin(); entry != grabs_.rend(); ++entry) {
        if (entry->second == pressed) {
            if (handler_) {
                handler_(entry->first);
            }
            return;
        }
    }
}

}  // namespace ledgerly
