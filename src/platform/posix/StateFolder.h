#pragma once

#include "platform/Result.h"

#include <string>

namespace quorbin {

// The user's folder for what the tool keeps between runs besides its settings:
// $XDG_STATE_HOME/quorbin, or ~/.local/state/quorbin. Made, private to the user, when it
// is missing.
Result<std::string> stateFolder();

// A file name for the working folder, the same for the same folder on every run:
// "<16 hex digits><ending>".
std::string fileNameFor(const std::string& folder, const char* ending);

} // namespace quorbin
