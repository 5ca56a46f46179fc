#pragma once

#include "batch/FileOutcome.h"
#include "platform/ListBox.h"

#include <string>
#include <vector>

namespace quorbin {

// The badge of a list entry: how its job went; where it has no outcome, that it is the
// output of the entry named `outputOf` (empty when it is not).
EntryBadge badgeFor(const FileOutcome& outcome, const std::string& outputOf);

// One file of a batch as its summary counts it; kind none: ticked, never reached.
struct SummaryFile {
    std::string name;
    OutcomeKind kind = OutcomeKind::none;
    std::int32_t exitCode = 0;
    int timeouts = 0;
};

// The one-line summary of a batch, its files in list order, e.g.
// "12 files: 10 finished, 1 exited with code 1 (b.avi), 1 stalled (c.avi); 3 time-outs".
std::string batchSummary(const std::vector<SummaryFile>& files);

} // namespace quorbin
