#pragma once

#include <cmath>

namespace quorbin {

// The window's geometry is designed in twips (1/1440 inch); Windows places controls in
// pixels, of which a screen has its DPI per inch.
inline constexpr double twipsPerInch = 1440.0;

inline int twipsToPixels(int twips, unsigned dpi) {
    return static_cast<int>(std::lround(twips * static_cast<double>(dpi) / twipsPerInch));
}

inline int pixelsToTwips(int pixels, unsigned dpi) {
    return static_cast<int>(std::lround(pixels * twipsPerInch / static_cast<double>(dpi)));
}

} // namespace quorbin
