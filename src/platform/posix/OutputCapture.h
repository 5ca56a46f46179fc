#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quorbin {

// Where a job's standard output and error go: an unlinked file of the tool's own. A file,
// not a pipe: a program never blocks on a full pipe while the tool is busy, and never dies
// of SIGPIPE when the tool itself has died (a batch offered back after a crash finds its
// program still at work). The tool reads what was added since its last read; what it has
// read is given back to the file system, so a chatty program running all night holds no
// more than what one read leaves.
class OutputCapture {
public:
    // None where no such file can be made (no writable temporary folder): the program
    // then writes where the tool's own output goes.
    static std::optional<OutputCapture> open();

    OutputCapture(OutputCapture&& other) noexcept;
    OutputCapture& operator=(OutputCapture&& other) noexcept;
    OutputCapture(const OutputCapture&) = delete;
    OutputCapture& operator=(const OutputCapture&) = delete;
    ~OutputCapture();

    // The descriptor the program gets as its standard output and error.
    int descriptor() const { return fd_; }
    // What was written since the last call; of a flood, its last `limit` bytes.
    std::string take(std::uint64_t limit);

private:
    explicit OutputCapture(int fd) : fd_(fd) {}

    int fd_ = -1;
    std::uint64_t read_ = 0; // bytes taken (or skipped) so far
};

} // namespace quorbin
