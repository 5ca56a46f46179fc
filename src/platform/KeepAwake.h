#pragma once

#include <string>

namespace quorbin {

// Keeps the machine awake while a batch runs: no suspend for idleness, no idle action of
// the desktop (screen saver, blanking, lock).
//
// The core relies on this: hold and release return at once, without waiting for the
// system's answer, so neither stalls a tick or a click. hold asks the system to stay
// awake, naming `reason` (what the user sees in the system's list of who keeps it
// awake); release lets it sleep again, also undoing a hold whose answer is still on its
// way. The core calls hold only while it holds nothing, and release only after a hold.
// Whether the system agreed changes nothing for the batch, so neither call has a result:
// a backend that finds no such service, or is refused, says so itself in one line on
// standard error, never in a message box or the event log.
//
// Backends: D-Bus on Linux (logind's inhibitor lock and the desktop's inhibitors),
// a power request on Windows (PowerCreateRequest, PowerSetRequest with
// PowerRequestSystemRequired, cleared on release).
class KeepAwake {
public:
    virtual ~KeepAwake() = default;
    virtual void hold(const std::string& reason) = 0;
    virtual void release() = 0;
};

} // namespace quorbin
