#pragma once

#include <string>

namespace quorbin {

struct Form;

inline constexpr const char* logFileName = "quorbin.log";

// The event log: every step of a batch as one line "hh:mm:ss (elapsed) message", shown
// at the bottom of the log list and appended to "quorbin.log" in the current directory.
class EventLog {
public:
    explicit EventLog(Form& form) : form_(form) {}

    void logLine(const std::string& message);
    // Opens the log file of the working folder in the desktop's program for it; a box
    // says why when there is none yet or it cannot be opened.
    void openLogFile();

private:
    Form& form_;
};

} // namespace quorbin
