#pragma once

#include "platform/ProcessControl.h"
#include "platform/posix/OutputCapture.h"

#include <chrono>
#include <map>
#include <optional>
#include <sys/types.h>
#include <vector>

namespace quorbin {

// Starts the processing program as a child process with a process group of its own, and
// polls and ends it by handle. The handle is the child's process id, which is also the
// id of the job's group.
//
// The group stays addressable until terminate has ended it: a child that has ended is
// only looked at (its exit code read and kept), not reaped, so it stays a zombie that
// holds its id, and with it the group's id, for as long as the handle is ours. terminate
// kills what is left of the group and only then reaps the child: at once where it had
// ended already, after at most a moment where the kill ended it, and otherwise (a job
// stuck in the kernel) in whichever later call finds it ended, so that a click or a tick
// never waits for it. A group whose leader
// has been reaped is never signalled: its id may since name a stranger's group. The
// kernel's process file descriptors, where it has them, pin every query and signal to
// the very process.
//
// release never kills: the program, and whatever it started, runs on. A released child
// that has ended is reaped at once, and one still running by whichever later call finds
// it ended, so that zombies do not pile up over a long batch; its group is no longer
// the tool's business. What a job starts in a group or session of its own is out of
// reach.
//
// Children outlive this object: neither closing the window nor destroying the object ends
// a running job. All calls come from the one user-interface thread.
class PosixProcessControl final : public ProcessControl {
public:
    // Takes back the exits of its children where the tool inherited SIGCHLD ignored.
    PosixProcessControl();
    ~PosixProcessControl() override;
    PosixProcessControl(const PosixProcessControl&) = delete;
    PosixProcessControl& operator=(const PosixProcessControl&) = delete;

    Result<ProcessHandle> launch(const LaunchRequest& request) override;
    Result<ProcessStatus> exitCode(ProcessHandle handle) override;
    bool terminate(ProcessHandle handle) override;
    void release(ProcessHandle handle) override;
    // The program's standard output and error, and its children's, go to a capture of the
    // tool's own (see OutputCapture); what is not taken is dropped with the handle.
    std::string takeOutput(ProcessHandle handle) override;
    ProcessIdentity identity(ProcessHandle handle) override;
    bool isRunning(const ProcessIdentity& job) override;
    Result<void> endLeftover(const ProcessIdentity& job) override;

private:
    struct Child {
        int pidfd = -1; // -1 where the kernel offers none
        // Ended, and its code read; the zombie still holds the id until reaped.
        bool ended = false;
        bool reaped = false;
        // Killed but not yet ended when terminate returned: reaped by a later call.
        bool reapWhenEnded = false;
        // The exit code once ended; nullopt when the process was reaped elsewhere and
        // its code is lost.
        std::optional<std::uint32_t> code;
        // This boot's id and the start in clock ticks: who the child is beyond this tool.
        std::string started;
    };

    // Looks whether the child has ended, without reaping it.
    static bool hasEnded(ProcessHandle pid, Child& child);
    static void reap(ProcessHandle pid, Child& child);
    static bool awaitEnd(ProcessHandle pid, Child& child, std::chrono::milliseconds limit);
    static bool signalKill(ProcessHandle pid, const Child& child);
    // Reaps what has ended of the children killed earlier and of the released ones.
    void reapEnded();
    static std::vector<pid_t> leftoverOf(const ProcessIdentity& job);

    std::map<ProcessHandle, Child> children_;
    std::map<ProcessHandle, OutputCapture> outputs_;
    // Released while still running: reaped by whichever later call finds them ended.
    std::map<ProcessHandle, Child> released_;
};

} // namespace quorbin
