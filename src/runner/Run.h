#pragma once

#include <optional>

namespace quorbin {

// One run of quorbin-run, driven by the program's loop: start, a tick every 500 ms, an
// interruption for SIGINT or SIGTERM (Ctrl+C, Ctrl+Break, a closed console on Windows),
// until it has an exit status.
class Run {
public:
    virtual ~Run() = default;
    virtual void start() = 0;
    virtual void tick() = 0;
    // Ends the run as Abort does; it ends with `status` once what it ends has ended.
    virtual void interrupt(int status) = 0;
    // Set once the run has ended.
    virtual std::optional<int> exitStatus() const = 0;
};

} // namespace quorbin
