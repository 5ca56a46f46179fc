#pragma once

#include <vector>

namespace quorbin::test {

// The main window's designed places in twips, in tab order, worked out from how it is
// arranged rather than copied from the front ends' tables: buttons 1425 by 345 at 150,
// each beside what it serves; a right column from 1740 to 300 twips inside the 8145-twip
// client area; Start, Pause, Stop and Abort stacked 390 twips apart beside the log.
struct DesignedControl {
    const char* name;
    int left, top, width, height;
};
inline constexpr int designedClientWidth = 8145;
inline constexpr int designedClientHeight = 8880;

inline std::vector<DesignedControl> designedControls() {
    constexpr int column = 1740, columnWidth = designedClientWidth - 300 - column, stack = 6150, step = 390;
    const auto button = [](const char* name, int top) { return DesignedControl{name, 150, top, 1425, 345}; };
    const auto right = [](const char* name, int top, int height) {
        return DesignedControl{name, column, top, columnWidth, height};
    };
    return {button("buttonSelectAvi", 2250),
            button("buttonSelectExe", 120),
            right("listFiles", 2250, 1635),
            button("buttonSelectVcf", 600),
            right("boxCmdLine", 5370, 585),
            right("boxScript", 4230, 975),
            {"boxTemplate", column, 1080, columnWidth - 30, 1005},
            right("boxVcf", 600, 315),
            right("boxExe", 120, 315),
            button("buttonStart", stack),
            button("buttonLoadAvs", 1080),
            button("buttonAbort", stack + 3 * step),
            right("listLog", stack, 2400),
            button("buttonPause", stack + step),
            {"BoxTimeout", 300, 7950, 1155, 375},
            {"labelTime", 120, 5490, 1455, 345},
            button("buttonSaveAvs", 1500),
            button("buttonStop", stack + 2 * step)};
}

// Twips as whole pixels at a whole DPI, to the nearest (a half up), in integers alone.
inline int designPixels(int twips, int dpi) {
    return (twips * dpi + 720) / 1440;
}

} // namespace quorbin::test
