#pragma once

#include <optional>
#include <string>

namespace quorbin {

// What the environment says about the display the window would open on. Pointers are
// the variables' values, null when unset.
struct DisplayEnvironment {
    const char* qtPlatform = nullptr;     // QT_QPA_PLATFORM
    const char* x11Display = nullptr;     // DISPLAY
    const char* waylandDisplay = nullptr; // WAYLAND_DISPLAY
};

// Qt aborts the process when it finds no display; start-up asks first, so that it can
// say so in one line and exit. The text to print when there is plainly no display, none
// when Qt may find one (a display is named, or a Qt platform is chosen explicitly).
std::optional<std::string> missingDisplayMessage(const DisplayEnvironment& environment);

// The same for the process's own environment.
DisplayEnvironment currentDisplayEnvironment();

} // namespace quorbin
