#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace quorbin {

// What /proc tells of the processes of this machine, for finding a job again after the
// tool that started it has ended.
struct ProcessEntry {
    pid_t pid = 0;
    pid_t group = 0;
    char state = 0;                    // R, S, D, Z, ...
    unsigned long long startTicks = 0; // since boot, in clock ticks
};

// The entry of one process; none when there is no such process.
std::optional<ProcessEntry> processEntry(pid_t pid);
// Every process that is not a zombie.
std::vector<ProcessEntry> liveProcesses();
// This boot's id: start ticks count from the boot, so they tell processes apart only
// within one boot.
std::string bootId();

} // namespace quorbin
