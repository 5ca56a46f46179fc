#pragma once

#include "platform/Clock.h"

namespace quorbin {

// The seconds every timed rule of the batch is measured by: the timer seconds of the
// first reading, and from there on the time that really passed. The system's timer
// seconds restart at 0 every night and jump with every change of the wall clock: an
// hour forward when daylight saving begins would time out, or end as stalled, every
// job running at 02:00, and a night asleep would do the same at wake-up. Counted from
// the steady clock, a batch through midnight is timed as if the day went on, and the
// reading never goes backwards or jumps.
class DayClock {
public:
    explicit DayClock(const Clock& clock) : clock_(clock) {}

    double seconds();

private:
    const Clock& clock_;
    bool started_ = false;
    double startTimer_ = 0;
    double startSteady_ = 0;
};

} // namespace quorbin
