#include "platform/posix/PosixFolderClaims.h"

#include "platform/RecordFileNames.h"
#include "platform/posix/StateFolder.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>
#include <cstring>

namespace quorbin {

namespace {

// The lock file of the folder, open; a failure when it cannot be.
Result<UniqueFd> openLock(const std::string& folder) {
    const Result<std::string> state = stateFolder();
    if (!state)
        return Failure{state.error()};
    const std::string path = *state + "/" + recordFileName(folder, ".lock");
    UniqueFd fd(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (!fd.valid())
        return Failure{"Cannot open " + path + ": " + std::strerror(errno)};
    return fd;
}

// An flock is taken, or refused at once when another descriptor holds it.
bool lockAtOnce(int fd) {
    int rc = 0;
    do
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    while (rc != 0 && errno == EINTR);
    return rc == 0;
}

} // namespace

Result<void> PosixFolderClaims::claim(const std::string& folder) {
    if (held_.count(folder))
        return Ok{};
    Result<UniqueFd> lock = openLock(folder);
    if (!lock)
        return Failure{lock.error()};
    if (!lockAtOnce(lock->get()))
        return Failure{errno == EWOULDBLOCK
                           ? "another running Quorbin holds the folder"
                           : std::string("the folder cannot be claimed: ") + std::strerror(errno)};
    held_.emplace(folder, std::move(lock).value());
    return Ok{};
}

void PosixFolderClaims::release(const std::string& folder) {
    held_.erase(folder);
}

bool PosixFolderClaims::claimedElsewhere(const std::string& folder) const {
    if (held_.count(folder))
        return false;
    const Result<UniqueFd> lock = openLock(folder);
    if (!lock)
        return false;
    return !lockAtOnce(lock->get()) && errno == EWOULDBLOCK;
}

} // namespace quorbin
