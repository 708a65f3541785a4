#pragma once

#include <chrono>
#include <functional>
#include <variant>

namespace ledgerly {

// Decides whether a press of the global shortcut may open the status menu:
// one presentation at a time, none while the menu is open, and none for a
// short while after it closed. Main thread only.
class StatusMenuPresentationGate {
public:
    // Monotonic, so that setting the wall clock never opens or shuts the gate.
    using TimePoint = std::chrono::steady_clock::time_point;
    using Duration = std::chrono::steady_clock::duration;
    using Clock = std::function<TimePoint()>;

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
    // Closed; requests are refused while the clock reads earlier than `until`.
    struct Draining {
        TimePoint until;
        bool operator==(const Draining&) const = default;
    };
    using State = std::variant<Idle, Pending, Open, Draining>;

    static constexpr Duration defaultDrainInterval = std::chrono::milliseconds(250);

    // An empty clock means the steady clock.
    explicit StatusMenuPresentationGate(Duration drainInterval = defaultDrainInterval,
                                        Clock now = std::chrono::steady_clock::now);

    // Whether the menu may be presented now; a yes makes the gate pending.
    bool requestPresentation();
    // The menu has opened, however it was opened.
    void noteMenuOpened();
    // The menu has closed; starts the drain interval.
    void noteMenuClosed();

    const State& state() const { return state_; }
    Duration drainInterval() const { return drainInterval_; }

private:
    Duration drainInterval_;
    Clock now_;
    State state_ = Idle{};
};

}  // namespace ledgerly
