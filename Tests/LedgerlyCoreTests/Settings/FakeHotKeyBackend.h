#pragma once

#include "LedgerlyCore/Settings/HotKeyBackend.h"

#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <vector>

namespace ledgerly::testing {

// A hot-key service in memory. Records every call as a line of `calls`
// ("install", "register 1 1 0x1900", "unregister 1", "remove") and answers
// with the statuses it is given.
class FakeHotKeyBackend final : public HotKeyBackend {
public:
    std::int32_t installStatus = 0;
    // Answers of the next registerHotKey calls, oldest first; 0 once empty.
    std::deque<std::int32_t> registerStatuses;
    std::vector<std::string> calls;

    std::int32_t installPressHandler(PressHandler handler) override;
    void removePressHandler() override;
    std::int32_t registerHotKey(std::uint32_t identifier, std::uint32_t keyCode,
                                std::uint32_t carbonModifiers) override;
    void unregisterHotKey(std::uint32_t identifier) override;

    // Delivers a press the way the system would: through the installed handler.
    void press(std::uint32_t identifier) const;
    bool hasPressHandler() const { return static_cast<bool>(handler_); }
    // Identifiers registered and not yet unregistered.
    const std::set<std::uint32_t>& liveIdentifiers() const { return live_; }

private:
    PressHandler handler_;
    std::set<std::uint32_t> live_;
};

}  // namespace ledgerly::testing
