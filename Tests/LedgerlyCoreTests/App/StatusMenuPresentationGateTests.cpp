#include "LedgerlyCore/App/StatusMenuPresentationGate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace ledgerly {
namespace {

using Gate = StatusMenuPresentationGate;

// A clock the test sets by hand; counts its readings.
struct ManualClock {
    std::shared_ptr<double> time = std::make_shared<double>(100.0);
    std::shared_ptr<int> readings = std::make_shared<int>(0);

    Gate::Clock function() const {
        return [time = time, readings = readings] {
            ++*readings;
            return *time;
        };
    }
    void set(double seconds) const { *time = seconds; }
};

struct GateFixture {
    ManualClock clock;
    Gate gate{Gate::defaultDrainInterval, clock.function()};

    // Moves the gate into `state` through its own operations.
    void enter(const Gate::State& state) {
        if (std::holds_alternative<Gate::Pending>(state)) {
            ASSERT_TRUE(gate.requestPresentation());
        } else if (std::holds_alternative<Gate::Open>(state)) {
            gate.noteMenuOpened();
        } else if (const auto* draining = std::get_if<Gate::Draining>(&state)) {
            clock.set(draining->until - gate.drainInterval());
            gate.noteMenuClosed();
        }
        ASSERT_EQ(state, gate.state());
    }
};

TEST(StatusMenuPresentationGateInit, StartsIdleWithTheDefaultInterval) {
    const Gate gate;
    EXPECT_EQ(Gate::State(Gate::Idle{}), gate.state());
    EXPECT_EQ(0.25, gate.drainInterval());
}

TEST(StatusMenuPresentationGateRequest, TransitionTable) {
    struct Case {
        const char* name;
        Gate::State before;
        double now;
        bool granted;
        Gate::State after;
    };
    const Case cases[] = {
        {"idle", Gate::Idle{}, 100.0, true, Gate::Pending{}},
        {"pending", Gate::Pending{}, 100.0, false, Gate::Pending{}},
        {"open", Gate::Open{}, 100.0, false, Gate::Open{}},
        {"draining, before the deadline", Gate::Draining{104.25}, 104.1, false, Gate::Draining{104.25}},
        {"draining, at the deadline", Gate::Draining{104.25}, 104.25, true, Gate::Pending{}},
        {"draining, after the deadline", Gate::Draining{104.25}, 104.3, true, Gate::Pending{}},
        {"draining, clock unreadable", Gate::Draining{104.25}, std::nan(""), false, Gate::Draining{104.25}},
    };
    for (const auto& c : cases) {
        GateFixture fixture;
        fixture.enter(c.before);
        fixture.clock.set(c.now);
        EXPECT_EQ(c.granted, fixture.gate.requestPresentation()) << c.name;
        EXPECT_EQ(c.after, fixture.gate.state()) << c.name;
    }
}

TEST(StatusMenuPresentationGateMenuOpened, GivesOpenFromEveryState) {
    const Gate::State states[] = {Gate::Idle{}, Gate::Pending{}, Gate::Open{}, Gate::Draining{1000.0}};
    for (const auto& state : states) {
        GateFixture fixture;
        fixture.enter(state);
        const int readings = *fixture.clock.readings;
        fixture.gate.noteMenuOpened();
        EXPECT_EQ(Gate::State(Gate::Open{}), fixture.gate.state()) << state.index();
        EXPECT_EQ(readings, *fixture.clock.readings) << "opening does not read the clock";
    }
}

TEST(StatusMenuPresentationGateMenuClosed, DrainsFromEveryStateUntilNowPlusTheInterval) {
    const Gate::State states[] = {Gate::Idle{}, Gate::Pending{}, Gate::Open{}, Gate::Draining{50.0}};
    for (const auto& state : states) {
        GateFixture fixture;
        fixture.enter(state);
        fixture.clock.set(200.0);
        fixture.gate.noteMenuClosed();
        EXPECT_EQ(Gate::State(Gate::Draining{200.25}), fixture.gate.state()) << state.index();
    }
}

TEST(StatusMenuPresentationGateCycle, PressOpenClosePressAsInATypicalRun) {
    GateFixture fixture;
    fixture.clock.set(100.0);
    EXPECT_TRUE(fixture.gate.requestPresentation());
    EXPECT_FALSE(fixture.gate.requestPresentation());  // a second press before the menu opened
    fixture.gate.noteMenuOpened();
    EXPECT_FALSE(fixture.gate.requestPresentation());
    fixture.clock.set(104.0);
    fixture.gate.noteMenuClosed();
    fixture.clock.set(104.1);
    EXPECT_FALSE(fixture.gate.requestPresentation());
    fixture.clock.set(104.3);
    EXPECT_TRUE(fixture.gate.requestPresentation());
    EXPECT_EQ(Gate::State(Gate::Pending{}), fixture.gate.state());
}

TEST(StatusMenuPresentationGateCycle, SecondCloseMovesTheDeadlineToTheLaterClose) {
    GateFixture fixture;
    fixture.clock.set(10.0);
    fixture.gate.noteMenuClosed();
    fixture.clock.set(10.2);
    fixture.gate.noteMenuClosed();
    EXPECT_EQ(Gate::State(Gate::Draining{10.45}), fixture.gate.state());
    fixture.clock.set(10.3);
    EXPECT_FALSE(fixture.gate.requestPresentation());
    fixture.clock.set(10.45);
    EXPECT_TRUE(fixture.gate.requestPresentation());
}

TEST(StatusMenuPresentationGateCycle, RefusedRequestsDoNotMoveTheDeadline) {
    GateFixture fixture;
    fixture.clock.set(10.0);
    fixture.gate.noteMenuClosed();
    for (const double now : {10.05, 10.1, 10.2}) {
        fixture.clock.set(now);
        EXPECT_FALSE(fixture.gate.requestPresentation());
    }
    EXPECT_EQ(Gate::State(Gate::Draining{10.25}), fixture.gate.state());
    fixture.clock.set(10.25);
    EXPECT_TRUE(fixture.gate.requestPresentation());
}

TEST(StatusMenuPresentationGateCycle, ClockThatStandsStillRefusesUntilTheMenuOpensByClick) {
    GateFixture fixture;
    fixture.gate.noteMenuClosed();
    for (int press = 0; press < 5; ++press) {
        EXPECT_FALSE(fixture.gate.requestPresentation());
    }
    fixture.gate.noteMenuOpened();  // the user clicked the tray icon
    fixture.gate.noteMenuClosed();
    fixture.clock.set(100.25);
    EXPECT_TRUE(fixture.gate.requestPresentation());
}

TEST(StatusMenuPresentationGateCycle, UnreadableClockAtCloseRefusesUntilTheMenuOpens) {
    GateFixture fixture;
    fixture.clock.set(std::numeric_limits<double>::quiet_NaN());
    fixture.gate.noteMenuClosed();
    fixture.clock.set(1e9);
    EXPECT_FALSE(fixture.gate.requestPresentation());
    fixture.gate.noteMenuOpened();
    fixture.gate.noteMenuClosed();
    fixture.clock.set(1e9 + 1);
    EXPECT_TRUE(fixture.gate.requestPresentation());
}

TEST(StatusMenuPresentationGateCycle, PendingWithoutAnOpenRefusesUntilTheMenuReports) {
    GateFixture fixture;
    EXPECT_TRUE(fixture.gate.requestPresentation());
    fixture.clock.set(1e6);
    EXPECT_FALSE(fixture.gate.requestPresentation());
    fixture.gate.noteMenuOpened();
    fixture.gate.noteMenuClosed();
    fixture.clock.set(1e6 + 0.25);
    EXPECT_TRUE(fixture.gate.requestPresentation());
}

TEST(StatusMenuPresentationGateClock, DefaultClockIsTheSystemUptime) {
    const double first = Gate::systemUptime();
    const double second = Gate::systemUptime();
    EXPECT_GT(first, 0.0);
    EXPECT_LE(first, second);
}

TEST(StatusMenuPresentationGateClock, EmptyClockFallsBackToTheUptime) {
    Gate gate(Gate::defaultDrainInterval, Gate::Clock());
    EXPECT_NO_THROW(gate.noteMenuClosed());
    EXPECT_GT(std::get<Gate::Draining>(gate.state()).until, 0.25);
}

TEST(StatusMenuPresentationGateClock, CustomIntervalIsUsed) {
    ManualClock clock;
    Gate gate(2.0, clock.function());
    gate.noteMenuClosed();
    EXPECT_EQ(Gate::State(Gate::Draining{102.0}), gate.state());
}

}  // namespace
}  // namespace ledgerly
