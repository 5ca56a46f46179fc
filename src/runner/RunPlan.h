#pragma once

#include "platform/FileSystem.h"
#include "platform/SettingsStore.h"
#include "runner/RunOptions.h"

#include <functional>
#include <string>
#include <vector>

namespace quorbin {

// A batch as quorbin-run will run it: every path full, every value the command line left
// out taken from the stored settings, and all of it checked.
struct RunPlan {
    std::string folder;             // the working folder, the files' own, ending in a separator
    std::vector<std::string> files; // full paths, in the order given
    std::string program;
    std::string settings;
    std::string templateFile;
    std::string timeout;      // minutes, as the time-out box holds them
    std::string scriptFolder; // ending in a separator; empty: the working folder
    std::string logFile;      // empty: the log of the working folder
};

// The full path of a path as the user typed it, seen from where the program was started.
using FullPath = std::function<std::string(const std::string&)>;

// The plan, or what keeps the batch from running: a program, settings file or template
// that is not chosen, not there or cannot be read; files that are not there, that are
// given twice or that come from two folders; a stored time-out that reads as none; a
// script folder where no job script can be written.
Result<RunPlan> makeRunPlan(const RunOptions& options, const SettingsStore& stored, FileSystem& files,
                            const FullPath& fullPath);

} // namespace quorbin
