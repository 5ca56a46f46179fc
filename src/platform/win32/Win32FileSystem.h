#pragma once

#include "platform/FileSystem.h"

namespace quorbin {

// Files through the wide-character Win32 calls: paths are UTF-8 here and UTF-16 at the
// system, sizes are 64-bit, and every operation opens, works and closes within the call.
class Win32FileSystem final : public FileSystem {
public:
    Result<void> remove(const std::string& path) override;
    Result<std::int64_t> length(const std::string& path) const override;
    Result<void> setCurrentDirectory(const std::string& path) override;
    Result<std::string> readAll(const std::string& path) const override;
    Result<void> writeAll(const std::string& path, const std::string& bytes) override;
    Result<void> replaceAll(const std::string& path, const std::string& bytes) override;
    Result<void> append(const std::string& path, const std::string& bytes) override;
};

} // namespace quorbin
