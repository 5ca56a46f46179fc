#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace quorbin::test {

// A private Xvfb for one test, on a display number nobody else uses, stopped (and
// reaped) when the object goes, whatever the test's outcome.
class XvfbServer {
public:
    XvfbServer() = default;
    ~XvfbServer() { stop(); }
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // Starts the server with extraArguments added, and returns once it accepts
    // connections. On failure returns false and says why in error().
    bool start(const std::vector<std::string>& extraArguments = {});
    void stop();

    const std::string& displayName() const { return displayName_; }
    const std::string& error() const { return error_; }

private:
    enum class Outcome { ready, displayTaken, failed };

    Outcome startOn(int number, const std::vector<std::string>& extraArguments);
    Outcome awaitReady(int number);
    bool ownsLock(int number) const;

    pid_t pid_ = -1;
    int number_ = -1;
    std::string displayName_;
    std::string error_;
};

} // namespace quorbin::test
