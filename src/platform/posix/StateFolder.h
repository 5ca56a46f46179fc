#pragma once

#include "platform/Result.h"

#include <string>

namespace quorbin {

// The user's folder for what the tool keeps between runs besides its settings:
// $XDG_STATE_HOME/quorbin, or ~/.local/state/quorbin. Made, private to the user, when it
// is missing.
Result<std::string> stateFolder();

} // namespace quorbin
