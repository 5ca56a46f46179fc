#include "batch/ProgramText.h"

namespace quorbin {

void ProgramText::add(std::string_view bytes) {
    for (const char c : bytes) {
        if (c == '\n') {
            // CR LF ends a line as LF does: the progress line is that line.
            if (!progress_.empty())
                keep(progress_);
            if (!line_.empty() || progress_.empty())
                keep(line_);
            progress_.clear();
            line_.clear();
        } else if (c == '\r') {
            if (!line_.empty()) {
                progress_.swap(line_);
                line_.clear();
            }
        } else {
            line_ += c;
        }
    }
    keepLast(line_, limit_);
}

// Trimmed only once twice the limit is reached, so that a chatty program does not move
// the whole text for every line it writes.
void ProgramText::keep(const std::string& line) {
    lines_ += line;
    lines_ += '\n';
    if (lines_.size() > 2 * limit_)
        keepLast(lines_, limit_);
}

// Drops whole lines from the front until the text fits; a single line longer than the
// limit keeps its end.
void ProgramText::keepLast(std::string& text, std::size_t limit) {
    if (text.size() <= limit)
        return;
    std::size_t cut = text.size() - limit;
    const std::size_t lineEnd = text.find('\n', cut - 1);
    if (lineEnd != std::string::npos && lineEnd + 1 < text.size())
        cut = lineEnd + 1;
    text.erase(0, cut);
}

std::string ProgramText::text() const {
    std::string all = lines_;
    for (const std::string* open : {&progress_, &line_})
        if (!open->empty())
            all += *open + '\n';
    keepLast(all, limit_);
    return all;
}

std::string ProgramText::lastLines(std::size_t count) const {
    std::string all = text(); // not const: returned whole, it is moved
    if (count == 0 || all.empty())
        return {};
    // From the LF that ends the last line back over `count` line ends.
    std::size_t start = all.size() - 1;
    for (std::size_t lines = 0; lines < count; ++lines) {
        const std::size_t previous = start == 0 ? std::string::npos : all.rfind('\n', start - 1);
        if (previous == std::string::npos)
            return all;
        start = previous;
    }
    return all.substr(start + 1);
}

void ProgramText::clear() {
    lines_.clear();
    progress_.clear();
    line_.clear();
}

} // namespace quorbin
