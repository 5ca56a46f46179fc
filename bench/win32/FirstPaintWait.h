#pragma once

#include "platform/win32/ui/WindowsApi.h"

namespace quorbin {

// The time on the performance counter, in nanoseconds: the start-up probe and the
// measured program read the same counter.
long long counterNs();

// Runs the message loop of a window that has just been shown until its first paint is
// done: the window and every control have painted and no paint is pending. Returns the
// counter's time then.
long long waitForFirstPaint();

} // namespace quorbin
