#include "runner/RunOptions.h"

#include <charconv>
#include <cmath>
#include <map>

namespace quorbin {

namespace {

using TextOption = std::optional<std::string> RunOptions::*;

const std::map<std::string, TextOption>& textOptions() {
    static const std::map<std::string, TextOption> options = {
        {"--program", &RunOptions::program},
        {"--settings", &RunOptions::settings},
        {"--template", &RunOptions::templateFile},
        {"--script-folder", &RunOptions::scriptFolder},
        {"--log", &RunOptions::log},
    };
    return options;
}

std::optional<int> wholeNumberFrom(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// One option with its value; a failure for a name or a value that is not one.
Result<void> applyOption(RunOptions& options, const std::string& name, const std::string& value) {
    if (const auto text = textOptions().find(name); text != textOptions().end()) {
        if (value.empty())
            return Failure{name + " names no file"};
        options.*(text->second) = value;
    } else if (name == "--timeout") {
        options.timeoutMinutes = minutesFrom(value);
        if (!options.timeoutMinutes)
            return Failure{"--timeout " + value + " is not a number of minutes above 0"};
    } else if (name == "--parallel") {
        options.parallel = wholeNumberFrom(value);
        if (!options.parallel || *options.parallel < 1)
            return Failure{"--parallel " + value + " is not a whole number above 0"};
    } else {
        return Failure{"there is no option " + name};
    }
    return Ok{};
}

bool takesValue(const std::string& name) {
    return textOptions().contains(name) || name == "--timeout" || name == "--parallel";
}

} // namespace

std::optional<double> minutesFrom(const std::string& text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) || value <= 0)
        return std::nullopt;
    return value;
}

Result<RunOptions> parseRunOptions(const std::vector<std::string>& arguments) {
    RunOptions options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            options.files.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--slurm") {
            options.slurm = true;
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else {
            const auto equals = argument.find('=');
            const std::string name = argument.substr(0, equals);
            if (equals == std::string::npos && takesValue(name) && i + 1 == arguments.size())
                return Failure{name + " needs a value"};
            const std::string value = equals != std::string::npos ? argument.substr(equals + 1)
                                      : takesValue(name)          ? arguments[++i]
                                                                  : std::string();
            if (const Result<void> applied = applyOption(options, name, value); !applied)
                return Failure{applied.error()};
        }
    }
    if (options.parallel && !options.slurm)
        return Failure{"--parallel goes with --slurm"};
    if (options.files.empty() && !options.help)
        return Failure{"no file to process is given"};
    return options;
}

} // namespace quorbin
