#pragma once

#include <string>

namespace quorbin {

// A desktop notification: a title and a one-line text, shown by the desktop outside the
// window, for a user who is not looking at it.
//
// The core relies on this: notify returns at once, without waiting for the desktop's
// answer. Where the desktop has no notifications, or refuses, nothing is shown and the
// backend says so in one line on standard error, never in a box or the event log.
//
// Backends: org.freedesktop.Notifications on the session bus (Linux), a balloon of a
// notification-area icon that is removed again (Windows).
class Notifier {
public:
    virtual ~Notifier() = default;
    virtual void notify(const std::string& title, const std::string& text) = 0;
};

} // namespace quorbin
