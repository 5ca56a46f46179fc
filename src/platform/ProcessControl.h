#pragma once

#include "platform/Result.h"
#include <cstdint>

#include <string>

namespace quorbin {

// A process handle: a positive number, or 0 for "no process".
using ProcessHandle = std::int32_t;

// What one launch hands to the platform; built afresh for every launch.
struct LaunchRequest {
    std::string verb = "open";
    std::string file;       // the program, a path used as it is
    std::string parameters; // one text, split into arguments by the platform's quoting rules
    std::string directory;  // the program's current directory
    int show = 1;           // show the program's window normally, where it has one
};

// Who a job's process is beyond the life of the tool that started it: the id the system
// knows it by (on Linux also its job's process group) and when it started, so that an id
// the system has since given to another process is never taken for it. id 0: nobody.
struct ProcessIdentity {
    std::int64_t id = 0;
    std::string started;
    bool operator==(const ProcessIdentity&) const = default;
};

// What a query finds of a process: still running, or ended with its exit code. Every
// exit code is a program's own, 259 too.
struct ProcessStatus {
    bool running = false;
    std::uint32_t exitCode = 0; // once ended

    friend bool operator==(const ProcessStatus&, const ProcessStatus&) = default;
};

inline constexpr ProcessStatus stillRunning{true, 0};
constexpr ProcessStatus endedWith(std::uint32_t exitCode) {
    return {false, exitCode};
}

// Starts, polls and ends the processing program.
//
// The core relies on this: launch returns at once without waiting for the program, and
// gives a handle above 0, or the reason nothing was started; exitCode gives stillRunning
// while the process runs, its exit code once it has ended, and a failure when the query
// itself failed (handle 0, unknown handle); terminate ends the process and everything it
// started, also what it left running after it ended itself, and says whether the process
// itself was alive and was ended. A handle stays valid for exitCode and terminate until
// release; release ends nothing, and a released handle never reaches another process.
class ProcessControl {
public:
    virtual ~ProcessControl() = default;
    [[nodiscard]] virtual Result<ProcessHandle> launch(const LaunchRequest& request) = 0;
    [[nodiscard]] virtual Result<ProcessStatus> exitCode(ProcessHandle handle) = 0;
    [[nodiscard]] virtual bool terminate(ProcessHandle handle) = 0;
    // The core no longer needs the handle; a process still running goes on, unwatched.
    virtual void release(ProcessHandle handle) = 0;
    // What the program and what it started wrote to their standard output and error
    // since the last call, as bytes; empty where the backend does not capture it (a
    // program with a console window of its own shows it there). What is not taken
    // before release is lost.
    virtual std::string takeOutput(ProcessHandle handle) = 0;

    // The identity of a launched process, while its handle is held; id 0 when unknown.
    virtual ProcessIdentity identity(ProcessHandle handle) = 0;
    // Whether the job of that identity (its program, or on Linux anything left in its
    // group) still runs, also when another instance of the tool started it.
    virtual bool isRunning(const ProcessIdentity& job) = 0;
    // Ends the job of that identity with everything it started, as terminate does; a
    // process whose start differs from the identity's is never touched.
    [[nodiscard]] virtual Result<void> endLeftover(const ProcessIdentity& job) = 0;
};

} // namespace quorbin
