#pragma once

#include "platform/LogView.h"

#include <ostream>

namespace quorbin {

// The log where there is no window: each line goes to a stream (standard output) as it
// comes, so that a terminal, a pipe or a cluster's output file shows it at once.
class StreamLogView final : public LogView {
public:
    explicit StreamLogView(std::ostream& out) : out_(out) {}

    void appendSelected(const std::string& line) override {
        out_ << line << '\n' << std::flush;
        ++count_;
    }
    int count() const override { return count_; }

private:
    std::ostream& out_;
    int count_ = 0;
};

} // namespace quorbin
