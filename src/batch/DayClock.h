#pragma once

#include "platform/Clock.h"

namespace quorbin {

// Timer seconds that go on counting across midnight: the system's timer seconds restart
// at 0 every night, and a batch that runs through midnight must be timed as if the day
// went on. Every timed rule of the batch reads the clock through here.
//
// A reading that falls back by more than half a day is taken as a new day; a smaller
// step back (the clock set back, daylight saving ending) is held, so the reading never
// goes backwards and no wait is stretched by an hour.
class DayClock {
public:
    explicit DayClock(const Clock& clock) : clock_(clock) {}

    double seconds();

private:
    const Clock& clock_;
    double offset_ = 0;
    double last_ = -1;
};

} // namespace quorbin
