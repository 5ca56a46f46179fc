#include "platform/LineEnds.h"

namespace quorbin {

std::string_view lineEndOf(std::string_view text) {
    const bool lineFeeds = text.find('\n') != std::string_view::npos;
    const bool returns = text.find('\r') != std::string_view::npos;
    return lineFeeds && !returns ? "\n" : "\r\n";
}

std::string withLineEnds(std::string_view text, std::string_view lineEnd) {
    std::string result;
    result.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            result.append(lineEnd);
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            result.push_back(c);
        }
    }
    return result;
}

} // namespace quorbin
