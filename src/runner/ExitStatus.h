#pragma once

#include "batch/OutcomeText.h"

#include <vector>

namespace quorbin {

// How quorbin-run ends, for the shell or the scheduler that started it.
inline constexpr int exitAllFinished = 0;   // every file's program exited with 0
inline constexpr int exitSomeOtherwise = 1; // any file ended otherwise, after all files
inline constexpr int exitSetUpError = 2;    // the command line or the set-up is wrong
// Ended by a signal, as a shell reports it: 128 + SIGINT (2) or SIGTERM (15).
inline constexpr int exitInterrupted = 130;
inline constexpr int exitTerminated = 143;

int batchExitStatus(const std::vector<SummaryFile>& files);

} // namespace quorbin
