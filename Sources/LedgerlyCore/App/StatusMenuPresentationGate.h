#pragma once

#include <functional>
#include <variant>

namespace ledgerly {

// Decides whether a press of the global shortcut may open the status menu:
// one presentation at a time, none while the menu is open, and none for a
// short while after it closed. Main thread only.
class StatusMenuPresentationGate {
public:
    using Clock = std::function<double()>;

    struct Idle {
        bool operator==(const Idle&) const = default;
    };
    // Granted and clicked; the menu has not reported that it opened.
    struct Pending {
        bool operator==(const Pending&) const = default;
    };
    struct Open {
        bool operator==(const Open&) const = default;
    };
    // Closed; requests are refused while the clock reads less than `until`.
    struct Draining {
        double until = 0;
        bool operator==(const Draining&) const = default;
    };
    using State = std::variant<Idle, Pending, Open, Draining>;

    static constexpr double defaultDrainInterval = 0.25;

    // Seconds since the machine started, never going backwards.
    static double systemUptime();

    // An empty clock means the system uptime.
    explicit StatusMenuPresentationGate(double drainInterval = defaultDrainInterval, Clock now = systemUptime);

    // Whether the menu may be presented now; a yes makes the gate pending.
    bool requestPresentation();
    // The menu has opened, however it was opened.
    void noteMenuOpened();
    // The menu has closed; starts the drain interval.
    void noteMenuClosed();

    const State& state() const { return state_; }
    double drainInterval() const { return drainInterval_; }

private:
    bool drainHasPassed(const Draining& draining) const;

    double drainInterval_;
    Clock now_;
    State state_ = Idle{};
};

}  // namespace ledgerly
