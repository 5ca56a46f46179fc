#include "log/TimeText.h"

#include <cmath>

namespace quorbin {

std::string zeroPad(std::int32_t value, std::int16_t width) {
    const std::string text = "000000000000" + std::to_string(value);
    if (width <= 0)
        return {};
    const auto keep = static_cast<std::size_t>(width);
    return keep >= text.size() ? text : text.substr(text.size() - keep);
}

std::string formatTime(std::int32_t seconds) {
    const auto hours = static_cast<std::int32_t>(std::floor(seconds / 3600.0));
    const auto minutes = static_cast<std::int32_t>(std::floor(seconds / 60.0)) % 60;
    const std::int32_t secs = seconds % 60;
    return zeroPad(hours, 2) + ":" + zeroPad(minutes, 2) + ":" + zeroPad(secs, 2);
}

} // namespace quorbin
