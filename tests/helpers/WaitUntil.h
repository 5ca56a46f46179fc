#pragma once

#include <chrono>
#include <thread>

namespace quorbin::test {

// Polls a real condition until it holds or the time is up; returns whether it held.
// Tests wait on what they mean (a file exists, a process has ended), never on time.
template <class Condition>
bool waitUntil(Condition condition, std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

} // namespace quorbin::test
