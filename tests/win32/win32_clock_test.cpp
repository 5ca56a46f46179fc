#include "platform/win32/Win32Clock.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorbin::test {
namespace {

TEST(Win32Clock, TimerSecondsAgreeWithTheTimeOfDayAndTheSteadyClockGoesOn) {
    Win32Clock clock;
    const double steadyBefore = clock.steadySeconds();
    const double timer = clock.timerSeconds();
    const TimeOfDay time = clock.timeOfDay();
    const double whole = time.hours * 3600 + time.minutes * 60 + time.seconds;
    EXPECT_GE(timer, 0.0);
    EXPECT_LT(timer, 86400.0);
    const double apart = std::fabs(timer - whole);
    EXPECT_LE(std::fmin(apart, 86400 - apart), 2.0);
    EXPECT_GE(clock.steadySeconds(), steadyBefore);
    EXPECT_GT(steadyBefore, 0.0);
}

} // namespace
} // namespace quorbin::test
