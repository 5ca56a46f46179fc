#pragma once

#include "platform/ProcessControl.h"

#include <map>
#include <optional>

namespace quorbin {

// Starts the processing program as a child process with a process group of its own, and
// polls and ends it by handle. The handle is the child's process id.
//
// A child is reaped as soon as a call sees that it has ended, and its exit code is kept
// for the handle: no zombie is left behind, and an ended handle is never signalled, so
// it cannot reach a later process that was given the same id. The kernel's process file
// descriptors, where it has them, pin every query and signal to the very process.
//
// Children outlive this object: neither closing the window nor destroying the object ends
// a running job. All calls come from the one user-interface thread.
class PosixProcessControl final : public ProcessControl {
public:
    PosixProcessControl() = default;
    ~PosixProcessControl() override;
    PosixProcessControl(const PosixProcessControl&) = delete;
    PosixProcessControl& operator=(const PosixProcessControl&) = delete;

    Result<ProcessHandle> launch(const LaunchRequest& request) override;
    Result<std::uint32_t> exitCode(ProcessHandle handle) override;
    bool terminate(ProcessHandle handle) override;
    void release(ProcessHandle handle) override;

private:
    struct Child {
        int pidfd = -1; // -1 where the kernel offers none
        bool reaped = false;
        // The exit code once reaped; nullopt when the process was reaped elsewhere and
        // its code is lost.
        std::optional<std::uint32_t> code;
    };

    static bool reapIfEnded(ProcessHandle pid, Child& child);
    static void awaitEnd(ProcessHandle pid, Child& child);
    static bool signalKill(ProcessHandle pid, const Child& child);
    void reapReleased();

    std::map<ProcessHandle, Child> children_;
    // Released while still running: reaped by whichever later call finds them ended.
    std::map<ProcessHandle, Child> released_;
};

} // namespace quorbin
