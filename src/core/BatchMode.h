#pragma once

#include <cstdint>
#include <ostream>

namespace quorbin {

// The batch modes. Switches over a mode name every mode and have no default, so the
// compiler points at each one a new mode would have to reach.
enum class BatchMode : std::int16_t { modeIdle = 0, modeRun = 1, modeDone = 2, modeKill = 3, modeAbort = 4 };
using enum BatchMode;

// Modes print as the numbers the log and the state table use.
inline std::ostream& operator<<(std::ostream& out, BatchMode mode) {
    return out << static_cast<int>(mode);
}

} // namespace quorbin
