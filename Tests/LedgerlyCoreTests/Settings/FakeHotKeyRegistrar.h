#pragma once

#include "LedgerlyCore/Settings/GlobalHotKeyError.h"
#include "LedgerlyCore/Settings/HotKeyRegistering.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ledgerly::testing {

// A registrar in memory. Every registration gets the next number from 1;
// `log` records registerCall(shortcut) and "unregister N" in call order and
// outlives the registrar, as do the registrations.
class FakeHotKeyRegistrar final : public HotKeyRegistering {
public:
    struct Log {
        std::vector<std::string> calls;
        std::vector<int> live;
        std::vector<Handler> handlers;
    };

    // The error the next registerShortcut call throws instead of registering.
    std::optional<GlobalHotKeyError> nextError;
    // Makes the next registerShortcut call throw a std::runtime_error instead.
    bool nextThrowsForeignError = false;
    std::shared_ptr<Log> log = std::make_shared<Log>();

    std::unique_ptr<HotKeyRegistration> registerShortcut(const KeyboardShortcut& shortcut, Handler handler) override;

    // Runs the handler given with registration `number`, as a press would.
    void press(int number) const;
};

// What the log records for a registration of `shortcut`: "register 1 0x1c0000",
// the key code and the modifier bits.
std::string registerCall(const KeyboardShortcut& shortcut);

}  // namespace ledgerly::testing
