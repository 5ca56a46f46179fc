#pragma once

#include <vector>

namespace quorbin::test {

// The main window's designed geometry, in twips inside the client area, worked out from
// how the window is arranged, not copied from the front ends' own tables: a left column
// of buttons, each beside the box or list it serves; a right column of boxes and lists
// whose right edge is 300 twips inside the client area; Start, Pause, Stop and Abort
// stacked 390 twips apart beside the log.
struct DesignedControl {
    const char* name;
    int left, top, width, height;
};

inline constexpr int designedClientWidth = 8145;
inline constexpr int designedClientHeight = 8880;

// In tab order.
inline std::vector<DesignedControl> designedControls() {
    constexpr int buttonLeft = 150, buttonWidth = 1425, buttonHeight = 345;
    constexpr int columnLeft = 1740, columnWidth = designedClientWidth - 300 - columnLeft;
    constexpr int lineHeight = 315;
    constexpr int exeRow = 120, vcfRow = 600, templateRow = 1080, fileRow = 2250;
    constexpr int scriptRow = 4230, commandRow = 5370, stackRow = 6150, stackStep = 390;
    const auto button = [](const char* name, int top) {
        return DesignedControl{name, buttonLeft, top, buttonWidth, buttonHeight};
    };
    const auto column = [](const char* name, int top, int height) {
        return DesignedControl{name, columnLeft, top, columnWidth, height};
    };
    return {
        button("buttonSelectAvi", fileRow),
        button("buttonSelectExe", exeRow),
        column("listFiles", fileRow, 1635),
        button("buttonSelectVcf", vcfRow),
        column("boxCmdLine", commandRow, 585),
        column("boxScript", scriptRow, 975),
        // The template box alone is designed 30 twips narrower than the column.
        {"boxTemplate", columnLeft, templateRow, columnWidth - 30, 1005},
        column("boxVcf", vcfRow, lineHeight),
        column("boxExe", exeRow, lineHeight),
        button("buttonStart", stackRow),
        button("buttonLoadAvs", templateRow),
        button("buttonAbort", stackRow + 3 * stackStep),
        column("listLog", stackRow, 2400),
        button("buttonPause", stackRow + stackStep),
        // Under the stack, narrower than the buttons.
        {"BoxTimeout", 2 * buttonLeft, 7950, 1155, 375},
        // Left of the command line, a little lower than its top and wider than a button.
        {"labelTime", buttonLeft - 30, commandRow + 120, buttonWidth + 30, buttonHeight},
        // Under Load AVS.
        button("buttonSaveAvs", templateRow + 420),
        button("buttonStop", stackRow + 2 * stackStep),
    };
}

// A length in twips as whole pixels at a whole DPI, rounded to the nearest pixel (a half
// up), in integers alone.
inline int designPixels(int twips, int dpi) {
    return (twips * dpi + 720) / 1440;
}

} // namespace quorbin::test
