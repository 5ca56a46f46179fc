#include "runner/TaskLog.h"

#include <charconv>

namespace quorbin {

namespace {

// "hh:mm:ss (hh:mm:ss) MESSAGE" -> MESSAGE; a line of another form gives nothing.
std::string_view messageOf(std::string_view line) {
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    const auto cut = line.find(") ");
    return cut == std::string_view::npos ? std::string_view() : line.substr(cut + 2);
}

bool startsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

void apply(SummaryFile& file, std::string_view message) {
    if (startsWith(message, "RUN process:")) {
        file.kind = startsWith(message, "RUN process:0 ") ? OutcomeKind::notStarted : OutcomeKind::running;
    } else if (message == "TIMEOUT") {
        ++file.timeouts;
    } else if (message == "SIZE TIMEOUT") {
        file.kind = OutcomeKind::stalled;
    } else if (startsWith(message, "EXIT code:")) {
        const std::string_view code = message.substr(10);
        std::from_chars(code.data(), code.data() + code.size(), file.exitCode);
        file.kind = file.exitCode == 0 ? OutcomeKind::finished : OutcomeKind::failed;
    } else if (message == "ABORT" && file.kind == OutcomeKind::running) {
        file.kind = OutcomeKind::aborted;
    }
}

} // namespace

SummaryFile outcomeFromLog(const std::string& name, std::string_view log) {
    SummaryFile file{name, OutcomeKind::none, 0, 0};
    std::string_view rest = log;
    while (!rest.empty()) {
        const auto end = rest.find('\n');
        const std::string_view message = messageOf(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (message == "START")
            file = SummaryFile{name, OutcomeKind::running, 0, 0};
        else if (file.kind != OutcomeKind::none)
            apply(file, message);
    }
    return file;
}

} // namespace quorbin
