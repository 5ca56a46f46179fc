#include "platform/posix/PosixFileSystem.h"

#include "platform/posix/UniqueFd.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace quorbin {

namespace {

std::string failure(const std::string& action, const std::string& path, int error) {
    return "Cannot " + action + " \"" + path + "\": " + std::system_category().message(error);
}

Failure failed(const std::string& action, const std::string& path, int error) {
    return Failure{failure(action, path, error)};
}

int openFile(const std::string& path, int flags, mode_t mode = 0666) {
    int fd;
    do
        fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
    while (fd == -1 && errno == EINTR);
    return fd;
}

// Returns 0, or the error that stopped the write.
int writeFully(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

Result<void> writeAndClose(UniqueFd fd, const std::string& action, const std::string& path,
                           const std::string& bytes) {
    if (const int error = writeFully(fd.get(), bytes); error != 0)
        return failed(action, path, error);
    if (fd.close() != 0)
        return failed(action, path, errno);
    return Ok{};
}

// Replacing a link puts the new file where the link points, and keeps the link.
std::string resolvedTarget(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr)
        return path;
    return resolved;
}

std::string folderPrefix(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string uniqueSuffix() {
    static std::atomic<unsigned> counter{0};
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    unsigned long long value = static_cast<unsigned long long>(now.tv_nsec) ^
                               (static_cast<unsigned long long>(::getpid()) << 32) ^
                               (static_cast<unsigned long long>(++counter) * 0x9E3779B97F4A7C15ull);
    static constexpr char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string suffix;
    for (int i = 0; i < 8; ++i, value /= 36)
        suffix += digits[value % 36];
    return suffix;
}

// A new file beside the target, created exclusively with the usual mode so that the
// process's umask applies as for any new file.
UniqueFd createBeside(const std::string& target, std::string& name, int& error) {
    const std::string prefix = folderPrefix(target);
    const std::string base = target.substr(prefix.size());
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = prefix + "." + base + "." + uniqueSuffix() + ".tmp";
        const int fd = openFile(name, O_WRONLY | O_CREAT | O_EXCL);
        if (fd >= 0)
            return UniqueFd(fd);
        if (errno != EEXIST)
            break;
    }
    error = errno;
    name.clear();
    return UniqueFd();
}

void syncFolderOf(const std::string& target) {
    const std::string prefix = folderPrefix(target);
    UniqueFd folder(openFile(prefix.empty() ? "." : prefix, O_RDONLY | O_DIRECTORY));
    // A folder that cannot be synced (some file systems refuse) leaves the rename done
    // but less durable; there is nothing the caller could do about it.
    if (folder.valid())
        ::fsync(folder.get());
}

int writeSynced(UniqueFd fd, const std::string& target, const std::string& bytes) {
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd.get(), old.st_mode & 07777);
    if (const int error = writeFully(fd.get(), bytes); error != 0)
        return error;
    if (::fsync(fd.get()) != 0)
        return errno;
    if (fd.close() != 0)
        return errno;
    return 0;
}

Result<void> overwriteSynced(const std::string& target, const std::string& path, const std::string& bytes) {
    UniqueFd fd(openFile(target, O_WRONLY | O_TRUNC));
    if (!fd.valid())
        return failed("write", path, errno);
    if (const int error = writeSynced(std::move(fd), target, bytes); error != 0)
        return failed("write", path, error);
    return Ok{};
}

} // namespace

Result<void> PosixFileSystem::remove(const std::string& path) {
    if (::unlink(path.c_str()) != 0)
        return failed("delete", path, errno);
    return Ok{};
}

Result<std::int64_t> PosixFileSystem::length(const std::string& path) const {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return failed("measure", path, errno);
    if (S_ISDIR(info.st_mode))
        return failed("measure", path, EISDIR);
    return static_cast<std::int64_t>(info.st_size);
}

Result<void> PosixFileSystem::setCurrentDirectory(const std::string& path) {
    if (::chdir(path.c_str()) != 0)
        return failed("change to folder", path, errno);
    return Ok{};
}

Result<std::string> PosixFileSystem::readAll(const std::string& path) const {
    UniqueFd fd(openFile(path, O_RDONLY));
    if (!fd.valid())
        return Failure{failure("read", path, errno)};
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n == 0)
            return bytes;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Failure{failure("read", path, errno)};
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

Result<void> PosixFileSystem::writeAll(const std::string& path, const std::string& bytes) {
    UniqueFd fd(openFile(path, O_WRONLY | O_CREAT | O_TRUNC));
    if (!fd.valid())
        return failed("write", path, errno);
    return writeAndClose(std::move(fd), "write", path, bytes);
}

// Renaming over a file obeys its folder's permissions, not the file's, and the new file
// is ours alone: a file marked read-only is refused, and a file that other names share,
// or that belongs to someone else, or whose folder takes no new files, is written where
// it stands instead, as any careful editor does.
Result<void> PosixFileSystem::replaceAll(const std::string& path, const std::string& bytes) {
    const std::string target = resolvedTarget(path);
    struct stat old {};
    const bool existing = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    if (existing) {
        if ((old.st_mode & 0222) == 0 || ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
            return failed("write", path, EACCES);
        if (old.st_nlink > 1 || old.st_uid != ::geteuid())
            return overwriteSynced(target, path, bytes);
    }
    std::string temporary;
    int error = 0;
    UniqueFd fd = createBeside(target, temporary, error);
    if (!fd.valid()) {
        if (existing && (error == EACCES || error == EPERM))
            return overwriteSynced(target, path, bytes);
        return failed("write", path, error);
    }
    error = writeSynced(std::move(fd), target, bytes);
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return failed("write", path, error);
    }
    syncFolderOf(target);
    return Ok{};
}

Result<void> PosixFileSystem::append(const std::string& path, const std::string& bytes) {
    UniqueFd fd(openFile(path, O_WRONLY | O_CREAT | O_APPEND));
    if (!fd.valid())
        return failed("append to", path, errno);
    return writeAndClose(std::move(fd), "append to", path, bytes);
}

} // namespace quorbin
