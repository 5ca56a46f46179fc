#pragma once

#include "e2e/GuardedProcesses.h"
#include "fakes/TestForm.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixProcessControl.h"
#include "posix/ProcessGuard.h"

#include <string>

namespace quorbin::test {

// The test form over the real process control and file system. The members go in
// reverse order: the form first, then the guard ends whatever is still running, and
// only then the process control.
struct RealBackendForm {
    RealBackendForm();

    PosixProcessControl posixProcesses;
    ProcessGuard guard{posixProcesses};
    GuardedProcesses processes{posixProcesses, guard};
    PosixFileSystem files;
    TestForm t;

    BatchState& state() { return t.state(); }

    // Whether the next tick comes at or after the settle time of the current mode, so
    // that it may take a decision.
    bool nextTickDecides() const;
    // Ticks up to the last tick before the first decision of a mode just entered: the
    // settle time passes on the fake clock alone.
    void runToDecision();
    // Ticks until the mode is `mode`, at most `maxTicks` times; returns whether it is.
    bool tickUntilMode(BatchMode mode, int maxTicks);
    // Ticks until a line with this message is logged after the first `from` lines, at
    // most `maxTicks` times; returns whether it was.
    bool tickUntilLogged(const std::string& message, std::size_t from, int maxTicks);
};

} // namespace quorbin::test
