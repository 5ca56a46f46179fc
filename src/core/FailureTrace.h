#pragma once

#include <ostream>
#include <set>
#include <string>

namespace quorbin {

// Leaves a trace of failures that the tool otherwise passes over quietly, such as a tick
// that ends early: each distinct text is written once, so a failure that repeats twice a
// second all night shows as one line, and a new one still shows.
class FailureTrace {
public:
    explicit FailureTrace(std::ostream& out) : out_(out) {}

    void report(const std::string& text);

private:
    std::ostream& out_;
    std::set<std::string> seen_;
};

} // namespace quorbin
