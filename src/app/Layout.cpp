#include "app/Layout.h"

#include <cmath>
#include <limits>

namespace quorbin {

std::optional<std::int16_t> rightColumnWidth(int innerWidth) {
    const auto inner = static_cast<float>(innerWidth);
    const auto left = static_cast<float>(rightColumnLeft);
    if (!(left + 100 < inner))
        return std::nullopt;
    // A 16-bit width: a window wider than 34527 twips gives the widest a control can take.
    const float width = std::nearbyint(inner - left - 20);
    constexpr auto widest = static_cast<float>(std::numeric_limits<std::int16_t>::max());
    return static_cast<std::int16_t>(width > widest ? widest : width);
}

} // namespace quorbin
