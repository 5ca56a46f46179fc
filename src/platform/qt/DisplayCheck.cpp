#include "platform/qt/DisplayCheck.h"

#include <cstdlib>

namespace quorbin {

namespace {

bool present(const char* value) {
    return value != nullptr && *value != '\0';
}

} // namespace

std::optional<std::string> missingDisplayMessage(const DisplayEnvironment& environment) {
    if (present(environment.qtPlatform) || present(environment.x11Display) ||
        present(environment.waylandDisplay))
        return std::nullopt;
    return "quorbin: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set); "
           "run it inside a graphical session.";
}

DisplayEnvironment currentDisplayEnvironment() {
    return DisplayEnvironment{
        .qtPlatform = std::getenv("QT_QPA_PLATFORM"),
        .x11Display = std::getenv("DISPLAY"),
        .waylandDisplay = std::getenv("WAYLAND_DISPLAY"),
    };
}

} // namespace quorbin
