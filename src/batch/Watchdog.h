#pragma once

#include "core/FailureTrace.h"

#include <cstdint>
#include <iostream>

namespace quorbin {

struct Form;
class BatchController;
class EventLog;
class ShiftPulse;

// The 500 ms tick that lets a batch run unattended: the Shift pulse when one is due,
// the elapsed time and its label, and, unless paused, the timed decisions of the batch.
class Watchdog {
public:
    Watchdog(Form& form, EventLog& log, BatchController& controller, ShiftPulse& pulse,
             std::ostream& trace = std::cerr)
        : form_(form), log_(log), controller_(controller), pulse_(pulse), trace_(trace) {}

    void timerTimer_Timer();

private:
    // Runs one step of the tick; a failure is traced, and false.
    template <class Step> [[nodiscard]] bool trapped(const char* step, Step&& run);
    void pulseWhenDue(double now);
    void updateElapsed(double now);
    void decide();
    void watchJob();
    void finishJob(std::uint32_t exitCode);

    Form& form_;
    EventLog& log_;
    BatchController& controller_;
    ShiftPulse& pulse_;
    FailureTrace trace_;
};

} // namespace quorbin
