#pragma once

namespace quorbin {

struct TimeOfDay {
    int hours = 0; // 0 to 23
    int minutes = 0;
    int seconds = 0;
};

// The system clock. timerSeconds are the seconds since local midnight as a real
// number: they restart at 0 at midnight. steadySeconds count the time that really
// passes while the machine runs, from some fixed point: they never jump, whatever is
// done to the wall clock (set by hand or by the network, daylight saving, a new day),
// and they stand still while the machine sleeps.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double timerSeconds() const = 0;
    virtual TimeOfDay timeOfDay() const = 0;
    virtual double steadySeconds() const = 0;
};

} // namespace quorbin
