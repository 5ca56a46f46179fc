#pragma once

#include "core/FailureTrace.h"

#include <cstdint>
#include <iostream>

namespace quorbin {

struct Form;
class BatchController;
class EventLog;
class FileOutcomes;
class ProgramMessages;
class ShiftPulse;
class WhenDone;

// The 500 ms tick that lets a batch run unattended: the Shift pulse when one is due,
// the elapsed time and its label, and, unless paused, the timed decisions of the batch.
class Watchdog {
public:
    // What a job's end changes besides the mode: the file's outcome, the program's
    // messages, the action chosen for the end of the batch.
    struct JobWatch {
        FileOutcomes& outcomes;
        ProgramMessages& messages;
        WhenDone& whenDone;
    };

    Watchdog(Form& form, EventLog& log, BatchController& controller, ShiftPulse& pulse, JobWatch watch,
             std::ostream& trace = std::cerr)
        : form_(form), log_(log), controller_(controller), pulse_(pulse), watch_(watch), trace_(trace) {}

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
    JobWatch watch_;
    FailureTrace trace_;
};

} // namespace quorbin
