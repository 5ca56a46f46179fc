#pragma once

#include "platform/FileSystem.h"

namespace quorbin {

// Files through the system calls themselves: every operation opens, works and closes
// within the call, so nothing is buffered or held open between calls.
class PosixFileSystem final : public FileSystem {
public:
    bool remove(const std::string& path) override;
    std::optional<std::int64_t> length(const std::string& path) const override;
    FileResult setCurrentDirectory(const std::string& path) override;
    ReadResult readAll(const std::string& path) const override;
    FileResult writeAll(const std::string& path, const std::string& bytes) override;
    FileResult replaceAll(const std::string& path, const std::string& bytes) override;
    FileResult append(const std::string& path, const std::string& bytes) override;
};

} // namespace quorbin
