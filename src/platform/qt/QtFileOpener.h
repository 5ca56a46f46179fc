#pragma once

#include "platform/FileOpener.h"

namespace quorbin {

// Opens a file through the desktop (QDesktopServices: xdg-open on Linux), by the file URL
// of its absolute path: a relative path resolves in the current directory here, since the
// program that opens it runs elsewhere.
class QtFileOpener final : public FileOpener {
public:
    Result<void> open(const std::string& path) override;
};

} // namespace quorbin
