#include "batch/DayClock.h"

namespace quorbin {

namespace {
constexpr double secondsPerDay = 86400;
}

double DayClock::seconds() {
    const double raw = clock_.timerSeconds();
    double now = raw + offset_;
    if (last_ >= 0 && now < last_) {
        if (last_ - now > secondsPerDay / 2)
            offset_ += secondsPerDay;
        else
            offset_ += last_ - now;
        now = raw + offset_;
    }
    last_ = now;
    return now;
}

} // namespace quorbin
