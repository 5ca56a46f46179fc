#pragma once

#include "helpers/TempDir.h"

#include <string>
#include <sys/types.h>

namespace quorbin::test {

// openbox on a test's own X server, with a theme of its own so that every window it
// frames has a known, clearly visible frame: sideFramePixels on the left and on the
// right. Its configuration, cache and themes live in a private folder, and it is
// stopped (and reaped) when the object goes, whatever the test's outcome.
class WindowManager {
public:
    // The theme's border plus its padding between border and client.
    static constexpr int borderPixels = 5;
    static constexpr int paddingPixels = 3;
    static constexpr int sideFramePixels = borderPixels + paddingPixels;

    WindowManager() = default;
    ~WindowManager() { stop(); }
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    // Starts the manager on displayName and returns once it has taken over the screen,
    // so that every window mapped from then on is framed. On failure returns false and
    // says why in error().
    bool start(const std::string& displayName);
    void stop();

    bool running() const { return pid_ > 0; }
    const std::string& error() const { return error_; }

private:
    void writeConfiguration() const;
    bool awaitManaging(const std::string& displayName);
    std::string logText() const;

    TempDir home_;
    pid_t pid_ = -1;
    std::string error_;
};

} // namespace quorbin::test
