#pragma once

#include <cstdint>
#include <optional>

namespace quorbin {

// The left edge of the right-hand column, in twips; nothing moves it at run time.
inline constexpr int rightColumnLeft = 1740;

// The width, in twips, that every control of the right-hand column takes for a window
// of the given inner width: it ends 20 twips before the inner right edge. None for a
// window too narrow (inner width of 1840 or less, minimized included): widths stay.
std::optional<std::int16_t> rightColumnWidth(int innerWidth);

} // namespace quorbin
