#pragma once

#include "platform/Result.h"

#include <string>

namespace quorbin {

// Opens a file in the program the desktop opens such files with (a text file in the
// user's editor). A relative path resolves in the process's current directory.
class FileOpener {
public:
    virtual ~FileOpener() = default;
    [[nodiscard]] virtual Result<void> open(const std::string& path) = 0;
};

} // namespace quorbin
