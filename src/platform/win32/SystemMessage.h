#pragma once

#include <string>

namespace quorbin {

// The system's own description of an error code (GetLastError), in UTF-8, without the
// line end that the system puts after it.
std::string systemMessage(unsigned long error);

} // namespace quorbin
