#pragma once

#include "platform/Result.h"

#include <functional>

namespace quorbin {

// Puts the machine to sleep or shuts it down, as the user asked for when a batch is done.
//
// The core relies on this: each call returns at once and calls `done` exactly once, at
// once or later from the event loop (the system may first ask the user for permission),
// with the failure's text when the system refused or could not be asked.
//
// Backends: logind's Suspend and PowerOff, interactive (Linux); SetSuspendState and
// InitiateShutdownW with the shutdown privilege (Windows).
class PowerActions {
public:
    using Done = std::function<void(const Result<void>& outcome)>;

    virtual ~PowerActions() = default;
    virtual void suspend(Done done) = 0;
    virtual void powerOff(Done done) = 0;
};

} // namespace quorbin
