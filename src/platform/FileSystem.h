#pragma once

#include "platform/Result.h"

#include <cstdint>
#include <string>

namespace quorbin {

// Files by path; relative paths resolve in the process's current directory. Contents
// are bytes, carried unchanged. A failure's text names the file and the system's reason.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Deletes a file; a failure when it could not (not there included). Callers that
    // delete what may not exist need not look.
    virtual Result<void> remove(const std::string& path) = 0;
    // The length in bytes; a failure when the file does not exist or cannot be queried.
    [[nodiscard]] virtual Result<std::int64_t> length(const std::string& path) const = 0;
    [[nodiscard]] virtual Result<void> setCurrentDirectory(const std::string& path) = 0;
    [[nodiscard]] virtual Result<std::string> readAll(const std::string& path) const = 0;
    // Creates or empties the file, writes the bytes, closes it.
    [[nodiscard]] virtual Result<void> writeAll(const std::string& path, const std::string& bytes) = 0;
    // Writes the bytes to a new file beside the target and renames it over the target,
    // so a failure part-way leaves the earlier file intact. A target marked read-only is
    // refused; one that cannot be replaced without losing its other names, its owner or
    // its place is written where it stands.
    [[nodiscard]] virtual Result<void> replaceAll(const std::string& path, const std::string& bytes) = 0;
    // Opens the file for appending (creating it), writes the bytes, closes it. The log
    // appends whatever the outcome, so callers may leave the result unread.
    virtual Result<void> append(const std::string& path, const std::string& bytes) = 0;
};

} // namespace quorbin

namespace quorbin {

// The separator between a folder and a name in the paths the platform hands over.
#ifdef _WIN32
inline constexpr char pathSeparator = '\\';
// Two names that differ only in the case of their letters name one file.
inline constexpr bool fileNamesIgnoreCase = true;
#else
inline constexpr char pathSeparator = '/';
inline constexpr bool fileNamesIgnoreCase = false;
#endif

} // namespace quorbin
