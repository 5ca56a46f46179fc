#pragma once

#include "platform/Result.h"

#include <optional>
#include <string>
#include <vector>

namespace quorbin {

inline constexpr const char* runUsage =
    "usage: quorbin-run [--program EXE] [--settings VCF] [--template AVS] [--timeout MINUTES]\n"
    "                   [--script-folder DIR] [--log FILE] [--slurm [--parallel K]] FILE...";

// The command line of quorbin-run, as given; what is left out is nullopt, to be taken
// from the stored settings.
struct RunOptions {
    std::optional<std::string> program;
    std::optional<std::string> settings;
    std::optional<std::string> templateFile;
    std::optional<double> timeoutMinutes;
    std::optional<std::string> scriptFolder;
    std::optional<std::string> log;
    bool slurm = false;
    // At most this many tasks at once; nullopt: as many as the cluster gives.
    std::optional<int> parallel;
    bool help = false;
    std::vector<std::string> files;
};

// Reads the arguments after the program's name: options as "--name VALUE" or
// "--name=VALUE", then the files; "--" ends the options. A failure says what is wrong.
Result<RunOptions> parseRunOptions(const std::vector<std::string>& arguments);

// A time-out as typed on a command line: a whole decimal number of minutes above 0,
// nothing after it.
std::optional<double> minutesFrom(const std::string& text);

} // namespace quorbin
