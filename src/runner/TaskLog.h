#pragma once

#include "batch/OutcomeText.h"

#include <string>
#include <string_view>

namespace quorbin {

// How the job of one file went, read back from the log of the runner that ran it alone
// (a task of a cluster's job array): the lines after the last START, as the log table of
// the README gives them. A task that was started again by the cluster (a node failed)
// has appended a new START; a log without one is a file that was not processed.
SummaryFile outcomeFromLog(const std::string& name, std::string_view log);

} // namespace quorbin
