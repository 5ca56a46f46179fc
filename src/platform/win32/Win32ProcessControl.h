#pragma once

#include "platform/ProcessControl.h"

#include <map>

namespace quorbin {

// Starts the processing program with CreateProcessW, each launch in a job object of its
// own, and polls and ends it by handle. Handles are numbers of this object's own table
// (1, 2, 3, ...), never reused, so a released or ended handle cannot reach another
// process; each maps to the process's and the job's kernel handles.
//
// terminate ends the whole job: the program and everything it started. Nothing else ever
// ends it: jobs are created without kill-on-close, so closing the window, releasing a
// handle or destroying this object leaves a running program running.
//
// A batch file (.bat, .cmd) runs through cmd.exe, which reads & | < > ^ and % in its
// command line as its own operators. Such a launch goes ahead only when cmd.exe would
// pass every character on as it stands; otherwise it is refused with the reason.
class Win32ProcessControl final : public ProcessControl {
public:
    Win32ProcessControl() = default;
    ~Win32ProcessControl() override;
    Win32ProcessControl(const Win32ProcessControl&) = delete;
    Win32ProcessControl& operator=(const Win32ProcessControl&) = delete;

    Result<ProcessHandle> launch(const LaunchRequest& request) override;
    Result<ProcessStatus> exitCode(ProcessHandle handle) override;
    bool terminate(ProcessHandle handle) override;
    void release(ProcessHandle handle) override;

    // Waits at most `milliseconds` for the process to end; true when it has ended.
    bool waitForEnd(ProcessHandle handle, unsigned long milliseconds) const;

private:
    struct Job {
        void* process = nullptr;
        void* job = nullptr; // null where the process could not be put in a job
    };

    std::map<ProcessHandle, Job> jobs_;
    ProcessHandle lastHandle_ = 0;
};

} // namespace quorbin
