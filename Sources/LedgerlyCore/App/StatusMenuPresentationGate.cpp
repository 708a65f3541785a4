#include "LedgerlyCore/App/StatusMenuPresentationGate.h"

#include <utility>

namespace ledgerly {

StatusMenuPresentationGate::StatusMenuPresentationGate(Duration drainInterval, Clock now)
    : drainInterval_(drainInterval), now_(now ? std::move(now) : Clock(std::chrono::steady_clock::now)) {}

bool StatusMenuPresentationGate::requestPresentation() {
    const auto* draining = std::get_if<Draining>(&state_);
    const bool granted = std::holds_alternative<Idle>(state_) || (draining != nullptr && draining->until <= now_());
    if (granted) {
        state_ = Pending{};
    }
    return granted;
}

void StatusMenuPresentationGate::noteMenuOpened() { state_ = Open{}; }

void StatusMenuPresentationGate::noteMenuClosed() { state_ = Draining{now_() + drainInterval_}; }

}  // namespace ledgerly
