#pragma once

#include "LedgerlyCore/Settings/HotKeyRegistration.h"
#include "LedgerlyCore/Settings/KeyboardShortcut.h"

#include <functional>
#include <memory>

namespace ledgerly {

// Registers system-wide hot keys. Used on the main thread only.
class HotKeyRegistering {
public:
    using Handler = std::function<void()>;

    HotKeyRegistering() = default;
    HotKeyRegistering(const HotKeyRegistering&) = delete;
    HotKeyRegistering& operator=(const HotKeyRegistering&) = delete;
    virtual ~HotKeyRegistering() = default;

    // Registers `shortcut`; `handler` then runs on the main thread at every
    // press until the registration is undone. Throws GlobalHotKeyError.
    virtual std::unique_ptr<HotKeyRegistration> registerShortcut(const KeyboardShortcut& shortcut, Handler handler) = 0;
};

}  // namespace ledgerly
