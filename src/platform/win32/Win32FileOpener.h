#pragma once

#include "platform/FileOpener.h"

namespace quorbin {

// Opens a file with the program its type is registered for (ShellExecuteExW, "open"),
// by its full path; a failure names that path and gives the system's reason. The shell
// shows no box of its own: the core shows the failure.
class Win32FileOpener final : public FileOpener {
public:
    Result<void> open(const std::string& path) override;
};

} // namespace quorbin
