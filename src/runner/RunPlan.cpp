#include "runner/RunPlan.h"

#include "batch/InputFileList.h"
#include "batch/TimeoutText.h"
#include "core/SettingsAccess.h"
#include "job/JobText.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <set>

namespace quorbin {

namespace {

std::string withSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != pathSeparator)
        folder += pathSeparator;
    return folder;
}

std::string comparable(std::string path) {
    if (fileNamesIgnoreCase)
        std::transform(path.begin(), path.end(), path.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return path;
}

std::string minutesText(double minutes) {
    char text[32] = {};
    std::to_chars(text, text + sizeof text - 1, minutes);
    return text;
}

// A path from the command line, or else the one the window stored; checked by reading
// it whole, which the batch does too, unless it is the program.
Result<std::string> chosenFile(const std::optional<std::string>& given, const SettingsStore& stored,
                               const char* key, const char* what, const char* option, const FileSystem& files,
                               const FullPath& fullPath, bool read) {
    const std::string path = given ? fullPath(*given) : readSetting(stored, "file", key, "");
    if (path.empty())
        return Failure{std::string("no ") + what + " is chosen: give " + option +
                       ", or choose one in the window"};
    const std::string problem = read ? files.readAll(path).error() : files.length(path).error();
    if (!problem.empty())
        return Failure{std::string("the ") + what + ": " + problem};
    return path;
}

Result<std::string> timeoutOf(const RunOptions& options, const SettingsStore& stored) {
    if (options.timeoutMinutes)
        return minutesText(*options.timeoutMinutes);
    const std::string text = readSetting(stored, "setting", "timeout", "60");
    if (!timeoutWarning(text).empty())
        return Failure{"the stored time-out \"" + text + "\" " + timeoutWarning(text) + ": give --timeout"};
    return minutesText(leadingNumber(text));
}

// The files, full, in the order given: all there, each once, all from one folder.
Result<std::vector<std::string>> inputFiles(const RunOptions& options, const FileSystem& files,
                                            const FullPath& fullPath) {
    std::vector<std::string> paths;
    std::set<std::string> seen;
    for (const std::string& given : options.files) {
        const std::string path = fullPath(given);
        if (const Result<std::int64_t> there = files.length(path); !there)
            return Failure{"the file to process: " + there.error()};
        if (!seen.insert(comparable(path)).second)
            return Failure{"the file " + path + " is given twice"};
        if (!paths.empty() && comparable(folderOf(path)) != comparable(folderOf(paths.front())))
            return Failure{"the files of a batch must all come from one folder: " + paths.front() + " and " +
                           path + " do not"};
        paths.push_back(path);
    }
    return paths;
}

} // namespace

Result<RunPlan> makeRunPlan(const RunOptions& options, const SettingsStore& stored, FileSystem& files,
                            const FullPath& fullPath) {
    RunPlan plan;
    const Result<std::vector<std::string>> inputs = inputFiles(options, files, fullPath);
    if (!inputs)
        return Failure{inputs.error()};
    plan.files = *inputs;
    plan.folder = folderOf(plan.files.front());
    const std::pair<std::string RunPlan::*, Result<std::string>> chosen[] = {
        {&RunPlan::program,
         chosenFile(options.program, stored, "exePath", "program", "--program", files, fullPath, false)},
        {&RunPlan::settings, chosenFile(options.settings, stored, "vcfPath", "settings file", "--settings",
                                        files, fullPath, true)},
        {&RunPlan::templateFile, chosenFile(options.templateFile, stored, "avsPath", "template", "--template",
                                            files, fullPath, true)},
        {&RunPlan::timeout, timeoutOf(options, stored)},
    };
    for (const auto& [member, value] : chosen) {
        if (!value)
            return Failure{value.error()};
        plan.*member = *value;
    }
    if (options.scriptFolder) {
        plan.scriptFolder = withSeparator(fullPath(*options.scriptFolder));
        // Tried as the batch will use it: a job script is written there and taken away.
        const std::string probe = plan.scriptFolder + jobScriptName;
        if (const Result<void> written = files.writeAll(probe, {}); !written)
            return Failure{"the script folder: " + written.error()};
        (void)files.remove(probe);
    }
    if (options.log)
        plan.logFile = fullPath(*options.log);
    return plan;
}

} // namespace quorbin
