#pragma once

#include "LedgerlyCore/Platform/Application.h"
#include "Support/CallLog.h"

#include <cstdint>
#include <optional>

namespace ledgerly::testing {

// Counts activations, About panels and terminations; the current event's
// modifier flags are whatever the test sets (none: no current event).
class FakeApplication final : public Application {
public:
    explicit FakeApplication(CallLog* log = nullptr) : log_(log) {}

    void bringToFront() override;
    void showAboutDialog() override;
    void terminate() override;
    std::optional<std::uint64_t> currentEventModifierFlags() const override { return modifierFlags; }

    std::optional<std::uint64_t> modifierFlags;
    int activations = 0;
    int aboutPanels = 0;
    int terminations = 0;

private:
    CallLog* log_;
};

}  // namespace ledgerly::testing
