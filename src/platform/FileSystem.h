#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quorbin {

// The outcome of a file operation; error is the text shown to the user on failure:
// which file, and the system's reason.
struct FileResult {
    bool ok = true;
    std::string error;
};

struct ReadResult {
    bool ok = true;
    std::string bytes;
    std::string error;
};

// Files by path; relative paths resolve in the process's current directory. Contents
// are bytes, carried unchanged.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Deletes a file; false when it could not (not there included).
    virtual bool remove(const std::string& path) = 0;
    // The length in bytes, or nullopt when the file does not exist or cannot be queried.
    virtual std::optional<std::int64_t> length(const std::string& path) const = 0;
    virtual FileResult setCurrentDirectory(const std::string& path) = 0;
    virtual ReadResult readAll(const std::string& path) const = 0;
    // Creates or empties the file, writes the bytes, closes it.
    virtual FileResult writeAll(const std::string& path, const std::string& bytes) = 0;
    // Writes the bytes to a new file beside the target and renames it over the target,
    // so a failure part-way leaves the earlier file intact. A target marked read-only is
    // refused; one that cannot be replaced without losing its other names, its owner or
    // its place is written where it stands.
    virtual FileResult replaceAll(const std::string& path, const std::string& bytes) = 0;
    // Opens the file for appending (creating it), writes the bytes, closes it.
    virtual FileResult append(const std::string& path, const std::string& bytes) = 0;
};

} // namespace quorbin

namespace quorbin {

// The separator between a folder and a name in the paths the platform hands over.
#ifdef _WIN32
inline constexpr char pathSeparator = '\\';
#else
inline constexpr char pathSeparator = '/';
#endif

} // namespace quorbin
