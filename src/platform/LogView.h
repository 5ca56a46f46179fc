#pragma once

#include <string>

namespace quorbin {

// The event log list: lines in the order they were added, never removed.
class LogView {
public:
    virtual ~LogView() = default;
    // Adds the line at the bottom and makes it the one selected entry, which scrolls
    // the newest line into view.
    virtual void appendSelected(const std::string& line) = 0;
    virtual int count() const = 0;
};

} // namespace quorbin
