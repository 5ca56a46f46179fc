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

private:
    Form& form_;
};

} // namespace quorbin
