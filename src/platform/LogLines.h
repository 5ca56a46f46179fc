#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quorbin {

// The lines of the event log as a view shows them. The log only grows, for as long as
// the program runs (two lines a second make 100,000 lines in a day), so the lines are
// kept as UTF-8 in one buffer with an end offset per line: about the bytes of the text
// and eight more per line, and appending costs the same at the millionth line as at the
// first. A view converts only the few lines it paints.
class LogLines {
public:
    void append(std::string_view line);
    std::string_view line(std::size_t index) const;
    std::size_t count() const { return ends_.size(); }
    // The length in bytes of the longest line so far.
    std::size_t longest() const { return longest_; }

private:
    std::string text_;
    std::vector<std::size_t> ends_;
    std::size_t longest_ = 0;
};

} // namespace quorbin
