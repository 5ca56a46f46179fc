#pragma once

#include <filesystem>
#include <system_error>

namespace quorbin::test {

// Picking input files makes their folder the current directory of the whole test
// process; this puts the earlier one back when the test ends, before its folder goes.
class CurrentDirectoryGuard {
public:
    CurrentDirectoryGuard() : saved_(std::filesystem::current_path()) {}
    ~CurrentDirectoryGuard() {
        std::error_code ignored;
        std::filesystem::current_path(saved_, ignored);
    }
    CurrentDirectoryGuard(const CurrentDirectoryGuard&) = delete;
    CurrentDirectoryGuard& operator=(const CurrentDirectoryGuard&) = delete;

    const std::filesystem::path& saved() const { return saved_; }

private:
    std::filesystem::path saved_;
};

} // namespace quorbin::test
