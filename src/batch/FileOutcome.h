#pragma once

#include "platform/Clock.h"

#include <cstdint>
#include <string>

namespace quorbin {

// How the job of one file of the list went. A file that runs into the time-out stays
// running (it is started again) and counts the time-out.
enum class OutcomeKind : std::uint8_t {
    none,       // not run in this list
    running,    // its job runs now
    finished,   // its program exited with 0
    failed,     // its program exited with another code
    stalled,    // its output stopped growing (SIZE TIMEOUT)
    notStarted, // its launch started no program
    stopped,    // Stop while it ran: no longer watched, the program may run on
    aborted     // Abort while it ran: the program was ended
};

struct FileOutcome {
    OutcomeKind kind = OutcomeKind::none;
    std::int32_t exitCode = 0;
    int timeouts = 0;
    // When its first launch of the batch came: day-clock seconds and the time of day.
    double startedAt = 0;
    TimeOfDay startedClock;
    // Whole seconds from its first launch to its end.
    std::int32_t seconds = 0;
    // Not started: why. Exited with another code: the last lines of its messages.
    std::string note;
    // The batch of the list it belongs to: outcomes of earlier batches are kept, but a
    // batch's summary and progress count only its own.
    unsigned batch = 0;
};

// Whether the job is over, one way or another.
inline bool hasEnded(OutcomeKind kind) {
    return kind != OutcomeKind::none && kind != OutcomeKind::running;
}

} // namespace quorbin
