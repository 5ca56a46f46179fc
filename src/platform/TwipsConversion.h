#pragma once

#include <cmath>

namespace quorbin {

// The window's geometry is designed in twips (1/1440 inch); a front end places controls
// in pixels, of which the screen has dpi per inch: Qt's logical DPI (device-independent
// pixels, and it may be fractional) or the DPI Windows gives a window (whole numbers,
// exact as a double).
inline constexpr double twipsPerInch = 1440.0;

inline int twipsToPixels(int twips, double dpi) {
    return static_cast<int>(std::lround(twips * dpi / twipsPerInch));
}

inline int pixelsToTwips(int pixels, double dpi) {
    return static_cast<int>(std::lround(pixels * twipsPerInch / dpi));
}

} // namespace quorbin
