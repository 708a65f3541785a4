#include "LedgerlyCore/App/StatusMenuPresentationGate.h"

#include <gtest/gtest.h>

#include <memory>

namespace ledgerly::testing {
namespace {

using Gate = StatusMenuPresentationGate;
using namespace std::chrono_literals;

Gate::TimePoint at(std::chrono::milliseconds sinceStart) { return Gate::TimePoint(sinceStart); }

// A clock the test sets by hand; counts its readings.
struct ManualClock {
    std::shared_ptr<Gate::TimePoint> time = std::make_shared<Gate::TimePoint>(at(100s));
    std::shared_ptr<int> readings = std::make_shared<int>(0);

    Gate::Clock function() const {
        return [time = time, readings = readings] {
            ++*readings;
            return *time;
        };
    }
    void set(std::chrono::milliseconds sinceStart) const { *time = at(sinceStart); }
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
            *clock.time = draining->until - gate.drainInterval();
            gate.noteMenuClosed();
        }
        ASSERT_EQ(state, gate.state());
    }
};

TEST(StatusMenuPresentationGateInit, StartsIdleWithTheDefaultInterval) {
    const Gate gate;
    EXPECT_EQ(Gate::State(Gate::Idle{}), gate.state());
    EXPECT_EQ(250ms, gate.drainInterval());
}

TEST(StatusMenuPresentationGateRequest, TransitionTable) {
    struct Case {
        const char* name;
        Gate::State before;
        std::chrono::milliseconds now;
        bool granted;
        Gate::State after;
    };
    const Case cases[] = {
        {"idle", Gate::Idle{}, 100s, true, Gate::Pending{}},
        {"pending", Gate::Pending{}, 100s, false, Gate::Pending{}},
        {"open", Gate::Open{}, 100s, false, Gate::Open{}},
        {"draining, before the deadline", Gate::Draining{at(104250ms)}, 104100ms, false, Gate::Draining{at(104250ms)}},
        {"draining, at the deadline", Gate::Draining{at(104250ms)}, 104250ms, true, Gate::Pending{}},
        {"draining, after the deadline", Gate::Draining{at(104250ms)}, 104300ms, true, Gate::Pending{}},
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
    const Gate::State states[] = {Gate::Idle{}, Gate::Pending{}, Gate::Open{}, Gate::Draining{at(1000s)}};
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
    const Gate::State states[] = {Gate::Idle{}, Gate::Pending{}, Gate::Open{}, Gate::Draining{at(50s)}};
    for (const auto& state : states) {
        GateFixture fixture;
        fixture.enter(state);
        fixture.clock.set(200s);
        fixture.gate.noteMenuClosed();
        EXPECT_EQ(Gate::State(Gate::Draining{at(200250ms)}), fixture.gate.state()) << state.index();
    }
}

TEST(StatusMenuPresentationGateCycle, PressOpenClosePressAsInATypicalRun) {
    GateFixture fixture;
    fixture.clock.set(100s);
    EXPECT_TRUE(fixture.gate.requestPresentation());
    EXPECT_FALSE(fixture.gate.requestPresentation());  // a second press before the menu opened
    fixture.gate.noteMenuOpened();
    EXPECT_FALSE(fixture.gate.requestPresentation());
    fixture.clock.set(104s);
    fixture.gate.noteMenuClosed();
    fixture.clock.set(104100ms);
    EXPECT_FALSE(fixture.gate.requestPresentation());
    fixture.clock.set(104300ms);
    EXPECT_TRUE(fixture.gate.requestPresentation());
    EXPECT_EQ(Gate::State(Gate::Pending{}), fixture.gate.state());
}

TEST(StatusMenuPresentationGateCycle, SecondCloseMovesTheDeadlineToTheLaterClose) {
    GateFixture fixture;
    fixture.clock.set(10s);
    fixture.gate.noteMenuClosed();
    fixture.clock.set(10200ms);
    fixture.gate.noteMenuClosed();
    EXPECT_EQ(Gate::State(Gate::Draining{at(10450ms)}), fixture.gate.state());
    fixture.clock.set(10300ms);
    EXPECT_FALSE(fixture.gate.requestPresentation());
    fixture.clock.set(10450ms);
    EXPECT_TRUE(fixture.gate.requestPresentation());
}

TEST(StatusMenuPresentationGateCycle, RefusedRequestsDoNotMoveTheDeadline) {
    GateFixture fixture;
    fixture.clock.set(10s);
    fixture.gate.noteMenuClosed();
    for (const auto now : {10050ms, 10100ms, 10200ms}) {
        fixture.clock.set(now);
        EXPECT_FALSE(fixture.gate.requestPresentation());
    }
    EXPECT_EQ(Gate::State(Gate::Draining{at(10250ms)}), fixture.gate.state());
    fixture.clock.set(10250ms);
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
    fixture.clock.set(100250ms);
    EXPECT_TRUE(fixture.gate.requestPresentation());
}

TEST(StatusMenuPresentationGateCycle, PendingWithoutAnOpenRefusesUntilTheMenuReports) {
    GateFixture fixture;
    EXPECT_TRUE(fixture.gate.requestPresentation());
    fixture.clock.set(1000000s);
    EXPECT_FALSE(fixture.gate.requestPresentation());
    fixture.gate.noteMenuOpened();
    fixture.gate.noteMenuClosed();
    fixture.clock.set(1000000250ms);
    EXPECT_TRUE(fixture.gate.requestPresentation());
}

TEST(StatusMenuPresentationGateClock, EmptyClockFallsBackToTheSteadyClock) {
    Gate gate(Gate::defaultDrainInterval, Gate::Clock());
    const auto before = std::chrono::steady_clock::now();
    EXPECT_NO_THROW(gate.noteMenuClosed());
    EXPECT_GE(std::get<Gate::Draining>(gate.state()).until, before + Gate::defaultDrainInterval);
}

TEST(StatusMenuPresentationGateClock, CustomIntervalIsUsed) {
    ManualClock clock;
    Gate gate(2s, clock.function());
    gate.noteMenuClosed();
    EXPECT_EQ(Gate::State(Gate::Draining{at(102s)}), gate.state());
}

}  // namespace
}  // namespace ledgerly::testing
