#pragma once

#include "platform/posix/PosixProcessControl.h"
#include "posix/ProcFs.h"

#include <sys/types.h>

#include <cerrno>
#include <csignal>
#include <sys/wait.h>
#include <vector>

namespace quorbin::test {

// Ends whatever a test started, also when an assertion ends the test early: the handles
// it launched, children it watches itself, and the fake program's own children.
class ProcessGuard {
public:
    ProcessGuard() = default;
    explicit ProcessGuard(PosixProcessControl& control) : control_(&control) {}
    ~ProcessGuard() {
        if (control_ != nullptr)
            for (ProcessHandle handle : handles_)
                control_->terminate(handle);
        for (pid_t pid : children_)
            endChild(pid);
        for (pid_t pid : strays_)
            endStray(pid);
    }
    ProcessGuard(const ProcessGuard&) = delete;
    ProcessGuard& operator=(const ProcessGuard&) = delete;

    ProcessHandle track(const Result<ProcessHandle>& launched) { return track(launched.value_or(0)); }
    ProcessHandle track(ProcessHandle handle) {
        if (handle > 0)
            handles_.push_back(handle);
        return handle;
    }
    // A child of this test process that no backend watches any more.
    void adoptChild(pid_t pid) { children_.push_back(pid); }
    // A process started by a child: not ours to reap, only to end.
    void trackStray(pid_t pid) { strays_.push_back(pid); }

private:
    // Only a child not yet collected still owns its id, so only such a one is signalled.
    static void endChild(pid_t pid) {
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) != 0)
            return;
        ::kill(pid, SIGKILL);
        while (::waitpid(pid, &status, 0) == -1 && errno == EINTR) {
        }
    }

    static void endStray(pid_t pid) {
        if (processRunning(pid) && commandLine(pid).find("fakeproc") != std::string::npos)
            ::kill(pid, SIGKILL);
    }

    PosixProcessControl* control_ = nullptr;
    std::vector<ProcessHandle> handles_;
    std::vector<pid_t> children_;
    std::vector<pid_t> strays_;
};

} // namespace quorbin::test
