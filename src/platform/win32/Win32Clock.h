#pragma once

#include "platform/Clock.h"

namespace quorbin {

// The system's clock in the local time zone; the steady seconds count the time the
// machine is awake (the unbiased interrupt time), as the interface asks: they stand
// still while it sleeps and never follow changes of the wall clock.
class Win32Clock final : public Clock {
public:
    double timerSeconds() const override;
    TimeOfDay timeOfDay() const override;
    double steadySeconds() const override;
};

} // namespace quorbin
