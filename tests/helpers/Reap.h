#pragma once

#include "helpers/WaitUntil.h"

#include <cerrno>
#include <chrono>
#include <sys/types.h>
#include <sys/wait.h>

namespace quorbin::test {

// Collects a child the test has told to end, polling until it has gone or the time is
// up; true once it is reaped, or when it is no child of ours (any more).
inline bool reapWithin(pid_t pid, std::chrono::milliseconds timeout) {
    return waitUntil(
        [pid] {
            int status = 0;
            const pid_t reaped = ::waitpid(pid, &status, WNOHANG);
            return reaped == pid || (reaped < 0 && errno == ECHILD);
        },
        timeout);
}

} // namespace quorbin::test
