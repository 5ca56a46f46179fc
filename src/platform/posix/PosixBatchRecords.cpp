#include "platform/posix/PosixBatchRecords.h"

#include "platform/RecordFileNames.h"
#include "platform/posix/StateFolder.h"
#include "platform/posix/UniqueFd.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <utility>

namespace quorbin {

namespace {

constexpr const char* ending = ".batch";

Failure cannot(const std::string& what, const std::string& path) {
    return Failure{"Cannot " + what + " " + path + ": " + std::strerror(errno)};
}

Result<void> writeWhole(int fd, const std::string& bytes, const std::string& path) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return cannot("write", path);
        done += static_cast<std::size_t>(written);
    }
    if (::fsync(fd) != 0)
        return cannot("write", path);
    return Ok{};
}

bool endsWith(const std::string& text, const char* end) {
    const std::size_t length = std::strlen(end);
    return text.size() > length && text.compare(text.size() - length, length, end) == 0;
}

std::string readWhole(const std::string& path) {
    std::string bytes;
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid())
        return bytes;
    char buffer[4096];
    for (ssize_t got; (got = ::read(fd.get(), buffer, sizeof buffer)) != 0;) {
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return {};
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return bytes;
}

} // namespace

Result<void> PosixBatchRecords::save(const std::string& folder, const std::string& text) {
    const Result<std::string> state = stateFolder();
    if (!state)
        return Failure{state.error()};
    const std::string path = *state + "/" + recordFileName(folder, ending);
    const std::string fresh = path + ".new" + std::to_string(::getpid());
    {
        const UniqueFd fd(::open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
        if (!fd.valid())
            return cannot("write", fresh);
        if (Result<void> written = writeWhole(fd.get(), text, fresh); !written) {
            ::unlink(fresh.c_str());
            return written;
        }
    }
    if (::rename(fresh.c_str(), path.c_str()) != 0) {
        const Failure failed = cannot("replace", path);
        ::unlink(fresh.c_str());
        return failed;
    }
    return Ok{};
}

void PosixBatchRecords::forget(const std::string& folder) {
    if (const Result<std::string> state = stateFolder())
        ::unlink((*state + "/" + recordFileName(folder, ending)).c_str());
}

std::vector<std::string> PosixBatchRecords::all() const {
    const Result<std::string> state = stateFolder();
    if (!state)
        return {};
    std::vector<std::pair<timespec, std::string>> found;
    DIR* folder = ::opendir(state->c_str());
    if (folder == nullptr)
        return {};
    while (const dirent* item = ::readdir(folder)) {
        const std::string name = item->d_name;
        struct stat info {};
        const std::string path = *state + "/" + name;
        if (endsWith(name, ending) && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode))
            found.emplace_back(info.st_mtim, path);
    }
    ::closedir(folder);
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.first.tv_sec != b.first.tv_sec ? a.first.tv_sec > b.first.tv_sec
                                                : a.first.tv_nsec > b.first.tv_nsec;
    });
    std::vector<std::string> texts;
    texts.reserve(found.size());
    for (const auto& [when, path] : found)
        texts.push_back(readWhole(path));
    return texts;
}

} // namespace quorbin
