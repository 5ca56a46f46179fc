#include "batch/DayClock.h"
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

// A clock set back a little, or daylight saving ending, holds the reading where it was;
// from there it counts on at the clock's pace, so no wait is stretched.
TEST(DayClock, StepBackIsHeldAndNeverGoesBackwards) {
    const struct {
        const char* name;
        std::vector<Reading> readings;
    } cases[] = {
        {"a few seconds", {{1000, 1000}, {990, 1000}, {991, 1001}, {1000.5, 1010.5}}},
        {"an hour", {{10800, 10800}, {7200, 10800}, {7200.5, 10800.5}, {7260, 10860}}},
        {"twice", {{5000, 5000}, {4990, 5000}, {4995, 5005}, {4900, 5005}, {4901, 5006}}},
        {"then midnight", {{86000, 86000}, {85900, 86000}, {86399.5, 86499.5}, {0, 86500}, {30, 86530}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        expectReadings(c.readings);
    }
}

TEST(DayClock, ForwardJumpPassesThrough) {
    const struct {
        const char* name;
        std::vector<Reading> readings;
    } cases[] = {
        {"a minute", {{1000, 1000}, {1060, 1060}, {1060.5, 1060.5}}},
        {"an hour", {{7200, 7200}, {10800, 10800}, {10801, 10801}}},
        {"just before midnight", {{100, 100}, {86399, 86399}, {0, 86400}}},
        {"after a step back", {{1000, 1000}, {900, 1000}, {2000, 2100}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        expectReadings(c.readings);
    }
}
