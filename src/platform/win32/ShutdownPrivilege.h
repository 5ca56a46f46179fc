#pragma once

#include "platform/Result.h"

namespace quorbin {

// Enables SE_SHUTDOWN_NAME on the process's token: the system sleeps or shuts down only
// for a process that holds it enabled. A failure carries the system's reason.
Result<void> enableShutdownPrivilege();

} // namespace quorbin
