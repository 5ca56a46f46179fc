#pragma once

#include "platform/Result.h"

#include <string>

namespace quorbin {

// The user's folder for what the tool keeps between runs besides its settings:
// %LOCALAPPDATA%\Quorbin (the user's local application data), made when it is missing.
// UTF-16, for the file calls.
Result<std::wstring> stateFolder();

} // namespace quorbin
