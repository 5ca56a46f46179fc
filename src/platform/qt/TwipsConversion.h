#pragma once

#include <cmath>

namespace quorbin {

// The window's geometry is designed in twips (1/1440 inch); Qt places widgets in
// device-independent pixels, of which the screen has logicalDpi per inch.
inline constexpr double twipsPerInch = 1440.0;

inline int twipsToPixels(int twips, double logicalDpi) {
    return static_cast<int>(std::lround(twips * logicalDpi / twipsPerInch));
}

inline int pixelsToTwips(int pixels, double logicalDpi) {
    return static_cast<int>(std::lround(pixels * twipsPerInch / logicalDpi));
}

} // namespace quorbin
