#pragma once

#include "batch/ProgramText.h"
#include "platform/ProcessControl.h"

#include <string>

namespace quorbin {

struct Form;

inline constexpr const char* programLogFileName = "quorbin.program.log";

// What the processing program says on its standard output and error, where the platform
// captures it: a program started from the desktop menu has no terminal, and its reason
// for exiting with an error would otherwise be lost. Each job's messages are kept while
// it runs, and appended to "quorbin.program.log" beside the log, under a header line with
// the time and the file's name, once the job has ended and been killed.
class ProgramMessages {
public:
    explicit ProgramMessages(Form& form) : form_(form) {}

    void jobStarted(const std::string& fileName);
    // Takes what the job's program wrote since the last call.
    void collect(ProcessHandle handle);
    // The last lines the job's program wrote, for the badge of a file that failed.
    std::string lastLines() const;
    // Takes the rest and appends the job's messages to the file; nothing when it said
    // nothing (or nothing was captured).
    void jobEnded(ProcessHandle handle);

private:
    Form& form_;
    ProgramText text_;
    std::string header_;
};

} // namespace quorbin
