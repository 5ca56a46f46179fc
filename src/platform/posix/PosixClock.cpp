#include "platform/posix/PosixClock.h"

#include <ctime>

namespace quorbin {

namespace {

struct LocalNow {
    std::tm fields{};
    long nanoseconds = 0;
};

LocalNow localNow() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    LocalNow local;
    ::localtime_r(&now.tv_sec, &local.fields);
    local.nanoseconds = now.tv_nsec;
    return local;
}

} // namespace

double PosixClock::timerSeconds() const {
    const LocalNow now = localNow();
    const int whole = now.fields.tm_hour * 3600 + now.fields.tm_min * 60 + now.fields.tm_sec;
    return whole + static_cast<double>(now.nanoseconds) / 1e9;
}

// CLOCK_MONOTONIC leaves out the time the machine was suspended: a job frozen with it
// has not stalled, and must not be timed out the moment the machine wakes.
double PosixClock::steadySeconds() const {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

TimeOfDay PosixClock::timeOfDay() const {
    const LocalNow now = localNow();
    return TimeOfDay{now.fields.tm_hour, now.fields.tm_min, now.fields.tm_sec};
}

} // namespace quorbin
