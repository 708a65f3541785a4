#include "LedgerlyCore/App/StatusMenuPresentationGate.h"

#include <chrono>
#include <utility>

namespace ledgerly {

double StatusMenuPresentationGate::systemUptime() {
    // The monotonic clock: setting the wall clock never moves it.
    const auto sinceBoot = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration<double>(sinceBoot).count();
}

StatusMenuPresentationGate::StatusMenuPresentationGate(double drainInterval, Clock now)
    : drainInterval_(drainInterval), now_(now ? std::move(now) : Clock(systemUptime)) {}

bool StatusMenuPresentationGate::requestPresentation() {
    const bool granted = std::holds_alternative<Idle>(state_) ||
                         (std::holds_alternative<Draining>(state_) && drainHasPassed(std::get<Draining>(state_)));
    if (granted) {
        state_ = Pending{};
    }
    return granted;
}

void StatusMenuPresentationGate::noteMenuOpened() { state_ = Open{}; }

void StatusMenuPresentationGate::noteMenuClosed() { state_ = Draining{now_() + drainInterval_}; }

bool StatusMenuPresentationGate::drainHasPassed(const Draining& draining) const {
    // Written so that a reading that is not a number answers no.
    return draining.until <= now_();
}

}  // namespace ledgerly
