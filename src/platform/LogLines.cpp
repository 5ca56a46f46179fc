#include "platform/LogLines.h"

#include <algorithm>

namespace quorbin {

void LogLines::append(std::string_view line) {
    text_.append(line);
    ends_.push_back(text_.size());
    longest_ = std::max(longest_, line.size());
}

std::string_view LogLines::line(std::size_t index) const {
    const std::size_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(text_).substr(begin, ends_[index] - begin);
}

} // namespace quorbin
