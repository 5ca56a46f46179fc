#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorbin {

// The messages of one job of the processing program, as lines: the last `limit` bytes of
// them at most. A line ended by CR alone is a progress line that the next progress line
// writes over, as on a terminal: a run of them counts as one line, the latest, which
// stays when a plain line follows.
class ProgramText {
public:
    explicit ProgramText(std::size_t limit = std::size_t{1} << 20) : limit_(limit) {}

    void add(std::string_view bytes);
    bool empty() const { return lines_.empty() && progress_.empty() && line_.empty(); }
    // Every line kept, each ended by LF.
    std::string text() const;
    // The last `count` lines, each ended by LF.
    std::string lastLines(std::size_t count) const;
    void clear();

private:
    void keep(const std::string& line);
    static void keepLast(std::string& text, std::size_t limit);

    std::size_t limit_;
    std::string lines_;    // ended lines
    std::string progress_; // the latest line ended by CR alone
    std::string line_;     // the line being written
};

} // namespace quorbin
