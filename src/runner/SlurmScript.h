#pragma once

#include "runner/RunPlan.h"

#include <optional>
#include <string>
#include <string_view>

namespace quorbin {

// A Slurm job array of one task per file, as a batch script for sbatch.
struct SlurmArray {
    std::string runner;          // the quorbin-run that each task runs
    std::string jobName;         // that the array can be cancelled by
    std::optional<int> parallel; // tasks at once; nullopt: as many as the cluster gives
};

// The log of task `task` (1, 2, ...) and what the cluster caught of its console.
std::string taskLogName(int task);
std::string taskOutputName(int task);

// Task i runs quorbin-run on the i-th file, with every value of the plan given on its
// command line (a node need not share the user's stored settings), its job script in a
// folder of the node's own, and its log beside the files.
std::string slurmScript(const RunPlan& plan, const SlurmArray& array);

// sbatch's parameters for that script: the array, at most `parallel` tasks at once,
// waited for; a node that fails has its task started again by the cluster (--requeue),
// never beside a running copy, and its log and console output are appended to. Options
// on the command line, not in the script, since a folder may hold blanks.
std::string sbatchParameters(const RunPlan& plan, const SlurmArray& array, const std::string& script);

// A text in single quotes for the POSIX shell.
std::string shellQuoted(std::string_view text);

} // namespace quorbin
