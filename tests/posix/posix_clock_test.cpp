#include "platform/posix/PosixClock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace quorbin {
namespace {

int secondsOf(const TimeOfDay& time) {
    return time.hours * 3600 + time.minutes * 60 + time.seconds;
}

// The difference of two readings of the day's seconds, allowing for a midnight between.
double dayDistance(double a, double b) {
    const double d = std::fabs(a - b);
    return std::fmin(d, 86400 - d);
}

class TimeZone {
public:
    explicit TimeZone(const char* zone) {
        if (const char* old = std::getenv("TZ"))
            saved_ = old;
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~TimeZone() {
        if (saved_)
            ::setenv("TZ", saved_->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }
    TimeZone(const TimeZone&) = delete;
    TimeZone& operator=(const TimeZone&) = delete;

private:
    std::optional<std::string> saved_;
};

TEST(PosixClock, TimerSecondsAgreeWithTheTimeOfDay) {
    PosixClock clock;
    const double before = clock.timerSeconds();
    const TimeOfDay time = clock.timeOfDay();
    const double after = clock.timerSeconds();
    EXPECT_GE(before, 0.0);
    EXPECT_LT(after, 86400.0);
    EXPECT_GE(time.hours, 0);
    EXPECT_LE(time.hours, 23);
    EXPECT_GE(time.minutes, 0);
    EXPECT_LE(time.minutes, 59);
    EXPECT_GE(time.seconds, 0);
    EXPECT_LE(time.seconds, 59);
    EXPECT_LE(dayDistance(before, secondsOf(time)), 2.0);
    EXPECT_LE(dayDistance(after, secondsOf(time)), 2.0);
}

TEST(PosixClock, TimerSecondsCarryTheFractionOfTheSecond) {
    PosixClock clock;
    bool fraction = false;
    for (int i = 0; i < 1000 && !fraction; ++i) {
        const double now = clock.timerSeconds();
        fraction = now != std::floor(now);
    }
    EXPECT_TRUE(fraction);
}

// The steady seconds move on with the time of day while nobody touches the clock, and
// never back; unlike the time of day they do not care about the time zone.
TEST(PosixClock, SteadySecondsPassAsRealTimeDoes) {
    PosixClock clock;
    const double steadyStart = clock.steadySeconds();
    const double timerStart = clock.timerSeconds();
    double last = steadyStart;
    while (last - steadyStart < 0.05) {
        const double now = clock.steadySeconds();
        ASSERT_GE(now, last);
        last = now;
    }
    EXPECT_NEAR(dayDistance(clock.timerSeconds(), timerStart), last - steadyStart, 0.02);
    {
        TimeZone zone("QST-5:30");
        EXPECT_NEAR(clock.steadySeconds(), last, 0.5);
    }
}

TEST(PosixClock, CountsFromLocalMidnight) {
    struct Case {
        const char* zone;
        long eastOfUtc;
    };
    for (const Case& c : {Case{"UTC0", 0}, Case{"QST-5:30", 19800}, Case{"QWT+7", -25200}}) {
        SCOPED_TRACE(c.zone);
        TimeZone zone(c.zone);
        PosixClock clock;
        const long expected = ((static_cast<long>(std::time(nullptr)) + c.eastOfUtc) % 86400 + 86400) % 86400;
        EXPECT_LE(dayDistance(clock.timerSeconds(), static_cast<double>(expected)), 2.0);
        EXPECT_LE(dayDistance(secondsOf(clock.timeOfDay()), static_cast<double>(expected)), 2.0);
    }
}

} // namespace
} // namespace quorbin
