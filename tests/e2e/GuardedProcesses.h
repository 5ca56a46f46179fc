#pragma once

#include "platform/ProcessControl.h"
#include "posix/ProcessGuard.h"

namespace quorbin::test {

// The real process control with every process it starts handed to a guard, so that a
// test that fails part-way leaves no job running. Everything else passes straight on.
class GuardedProcesses final : public ProcessControl {
public:
    GuardedProcesses(ProcessControl& real, ProcessGuard& guard) : real_(real), guard_(guard) {}

    Result<ProcessHandle> launch(const LaunchRequest& request) override {
        Result<ProcessHandle> launched = real_.launch(request);
        const ProcessHandle handle = launched.value_or(0);
        guard_.track(handle);
        // Once the form has released a handle the control no longer ends that process;
        // should it still run by then, the guard ends it by its id.
        if (handle > 0)
            guard_.trackStray(handle);
        return launched;
    }
    Result<ProcessStatus> exitCode(ProcessHandle handle) override { return real_.exitCode(handle); }
    bool terminate(ProcessHandle handle) override { return real_.terminate(handle); }
    void release(ProcessHandle handle) override { real_.release(handle); }
    std::string takeOutput(ProcessHandle handle) override { return real_.takeOutput(handle); }
    ProcessIdentity identity(ProcessHandle handle) override { return real_.identity(handle); }
    bool isRunning(const ProcessIdentity& job) override { return real_.isRunning(job); }
    Result<void> endLeftover(const ProcessIdentity& job) override { return real_.endLeftover(job); }

private:
    ProcessControl& real_;
    ProcessGuard& guard_;
};

} // namespace quorbin::test
