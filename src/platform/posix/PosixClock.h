#pragma once

#include "platform/Clock.h"

namespace quorbin {

// The system's real-time clock, read in the local time zone.
class PosixClock final : public Clock {
public:
    double timerSeconds() const override;
    TimeOfDay timeOfDay() const override;
    double steadySeconds() const override;
};

} // namespace quorbin
