#pragma once

#include "platform/ProcessControl.h"

#include <map>

namespace quorbin {

struct ProcessStartCalls;

// Starts the processing program with CreateProcessW, each launch in a job object of its
// own, and polls and ends it by handle. The handle is the process id, as Task Manager
// shows it: the process object stays open until release, so the system gives the id to
// no other process meanwhile. After release the entry is gone: a later process that the
// system gives the same id is a new entry of its own.
//
// The command line is launched only where it converts exactly to the ANSI code page, in
// which most programs read it; otherwise nothing is started and the reason is given. The
// program runs without system error dialogs: one that crashes, or misses a DLL, ends.
//
// terminate ends the whole job: the program and everything it started, also what it left
// running after it ended itself. Nothing else ever ends it: jobs are created without
// kill-on-close, so closing the window, releasing a handle or destroying this object
// leaves a running program running.
//
// Each job object is named after its program's id and creation time, and the program
// itself holds a handle to it, so that another instance of the tool (after this one
// crashed) can open the job again and end it; the creation time keeps a process that
// later gets the same id from being taken for it.
//
// A batch file (.bat, .cmd, named as the system resolves it) runs through cmd.exe, which
// reads & | < > ^ and %name% in its command line as its own. Such a launch goes ahead
// only when cmd.exe would pass every character on as it stands; otherwise it is refused
// with the reason.
class Win32ProcessControl final : public ProcessControl {
public:
    Win32ProcessControl();
    // Keeps dialogs away through `calls`, which must outlive this object.
    explicit Win32ProcessControl(const ProcessStartCalls& calls) : calls_(calls) {}
    ~Win32ProcessControl() override;
    Win32ProcessControl(const Win32ProcessControl&) = delete;
    Win32ProcessControl& operator=(const Win32ProcessControl&) = delete;

    Result<ProcessHandle> launch(const LaunchRequest& request) override;
    Result<ProcessStatus> exitCode(ProcessHandle handle) override;
    bool terminate(ProcessHandle handle) override;
    void release(ProcessHandle handle) override;
    // The program's console window shows its messages; nothing is captured.
    std::string takeOutput(ProcessHandle /*handle*/) override { return {}; }
    ProcessIdentity identity(ProcessHandle handle) override;
    bool isRunning(const ProcessIdentity& job) override;
    Result<void> endLeftover(const ProcessIdentity& job) override;

    // Waits at most `milliseconds` for the process to end; true when it has ended.
    bool waitForEnd(ProcessHandle handle, unsigned long milliseconds) const;

private:
    struct Job {
        void* process = nullptr;
        void* job = nullptr; // null where the process could not be put in a job
        std::string started; // the process's creation time, in 100 ns since 1601
    };

    const ProcessStartCalls& calls_;
    std::map<ProcessHandle, Job> jobs_;
};

} // namespace quorbin
