#pragma once

#include "batch/FileOutcome.h"
#include "core/BatchMode.h"
#include "platform/ProcessControl.h"
#include "platform/Result.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorbin {

// A batch as its record keeps it: enough to offer it back after the tool has ended
// without reaching the end of the batch, and to find its program again.
struct RecordedEntry {
    std::string name;
    bool ticked = false;
    OutcomeKind kind = OutcomeKind::none;
    std::int32_t exitCode = 0;
    int timeouts = 0;
    std::int32_t seconds = 0;
    bool operator==(const RecordedEntry&) const = default;
};

struct RecordedBatch {
    std::string folder;
    BatchMode mode = modeIdle;
    int cursor = 0;
    ProcessIdentity job; // the program of the job launched last; id 0 when none
    std::string jobFile; // the file of that job, or the file prepared last
    std::vector<RecordedEntry> entries;
    bool operator==(const RecordedBatch&) const = default;
};

// The record as text a person can read, one fact a line:
//   quorbin batch 1
//   folder /home/ana/Videos/
//   mode 1
//   cursor 6
//   job 4711 8123456 clip7.avi
//   entry + finished 0 0 751 clip1.avi
//   entry - none 0 0 0 clip2.avi
//   end
// An entry line holds its tick (+ or -), outcome, exit code, time-outs and seconds, then
// the name. Names and the folder are written with backslash escapes for a backslash, CR
// and LF, so any name takes one line.
std::string formatRecord(const RecordedBatch& batch);

// The batch of a record's text; a failure says what is wrong with it (foreign, cut off,
// damaged).
Result<RecordedBatch> parseRecord(std::string_view text);

} // namespace quorbin
