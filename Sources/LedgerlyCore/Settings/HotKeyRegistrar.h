#pragma once

#include "LedgerlyCore/Platform/MainQueue.h"
#include "LedgerlyCore/Settings/HotKeyBackend.h"
#include "LedgerlyCore/Settings/HotKeyRegistering.h"

#include <cstdint>
#include <memory>

namespace ledgerly {

// Registers hot keys through a backend and runs their actions on the main
// queue. Both the backend and the queue must outlive the registrar; its
// registrations may outlive it and then do nothing.
class HotKeyRegistrar final : public HotKeyRegistering {
public:
    // Installs the press handler; a failure is kept and reported by every registration.
    HotKeyRegistrar(HotKeyBackend& backend, MainQueue& mainQueue);
    // Removes the press handler and undoes the hot keys still registered.
    ~HotKeyRegistrar() override;

    // Throws eventHandlerUnavailable when installing failed, registrationFailed
    // when the backend refuses the key.
    std::unique_ptr<HotKeyRegistration> registerShortcut(const KeyboardShortcut& shortcut, Handler handler) override;

private:
    struct State;

    std::shared_ptr<State> state_;
    std::int32_t eventHandlerStatus_ = 0;
};

}  // namespace ledgerly
