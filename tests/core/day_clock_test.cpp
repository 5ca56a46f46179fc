#include "core/DayClock.h"
#include "fakes/FakeServices.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quorbin;
using namespace quorbin::test;

namespace {

struct Reading {
    double clock; // the system's timer seconds
    double day;   // what the batch is timed by
};

void expectReadings(const std::vector<Reading>& readings) {
    FakeClock clock;
    DayClock day(clock);
    for (const Reading& r : readings) {
        clock.set(r.clock);
        EXPECT_DOUBLE_EQ(day.seconds(), r.day) << "at clock " << r.clock;
    }
}

} // namespace

TEST(DayClock, GoesOnCountingAcrossMidnight) {
    expectReadings({
        {86390, 86390},
        {86399.5, 86399.5},
        {0, 86400},
        {0.5, 86400.5},
        {10, 86410},
        {30, 86430},
    });
}

TEST(DayClock, EveryMidnightAddsADay) {
    expectReadings({
        {86000, 86000},
        {500, 86900},
        {43000, 129400},
        {86399, 172799},
        {1, 172801},
    });
}

TEST(DayClock, FirstReadingIsTheClockAsItIs) {
    for (const double at : {0.0, 0.5, 45296.25, 86399.5}) {
        FakeClock clock(at);
        DayClock day(clock);
        EXPECT_DOUBLE_EQ(day.seconds(), at);
        EXPECT_DOUBLE_EQ(day.seconds(), at); // reading twice changes nothing
    }
}

namespace {

// What happens to the clock between two readings: time passes, or the wall clock is
// changed while none passes (set by hand, daylight saving, a night asleep).
struct Step {
    double passes;   // seconds that really pass
    double wallTo;   // then the wall clock is set to this, when not negative
    double expected; // the reading after the step
};

void expectSteps(double startAt, const std::vector<Step>& steps) {
    FakeClock clock(startAt);
    DayClock day(clock);
    EXPECT_DOUBLE_EQ(day.seconds(), startAt);
    for (const Step& step : steps) {
        clock.advance(step.passes);
        if (step.wallTo >= 0)
            clock.setWallClock(step.wallTo);
        EXPECT_DOUBLE_EQ(day.seconds(), step.expected)
            << "after " << step.passes << " s, wall clock at " << clock.timerSeconds();
    }
}

} // namespace

// Only the time that passed counts: a wall clock set back or forward, an hour of
// daylight saving either way, or a night asleep move no wait on and hold none back.
TEST(DayClock, ChangesOfTheWallClockAreNotTimePassing) {
    const struct {
        const char* name;
        double startAt;
        std::vector<Step> steps;
    } cases[] = {
        {"set back a few seconds", 1000, {{0.5, 990, 1000.5}, {1, -1, 1001.5}, {8.5, -1, 1010}}},
        {"daylight saving ends", 10800 - 1, {{1, 7200, 10800}, {0.5, -1, 10800.5}, {59.5, -1, 10860}}},
        {"daylight saving begins", 7200 - 1, {{1, 10800, 7200}, {0.5, -1, 7200.5}, {299.5, -1, 7500}}},
        {"set forward past midnight", 80000, {{10, 500, 80010}, {90, -1, 80100}}},
        {"asleep for the night", 82800, {{5, 25200, 82805}, {0.5, -1, 82805.5}}},
        {"twice", 5000, {{1, 4990, 5001}, {4, 9000, 5005}, {1, 100, 5006}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        expectSteps(c.startAt, c.steps);
    }
}

TEST(DayClock, TimePassingCountsWhateverItIs) {
    expectSteps(1000, {{60, -1, 1060}, {0.5, -1, 1060.5}, {3600, -1, 4660.5}, {2 * 86400.0, -1, 177460.5}});
}
