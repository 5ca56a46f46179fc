#include "platform/posix/PosixBatchRecords.h"

#include "platform/RecordFileNames.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/StateFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <utility>

namespace quorbin {

namespace {

constexpr const char* ending = ".batch";

bool endsWith(const std::string& text, const char* end) {
    const std::size_t length = std::strlen(end);
    return text.size() > length && text.compare(text.size() - length, length, end) == 0;
}

} // namespace

Result<void> PosixBatchRecords::save(const std::string& folder, const std::string& text) {
    const Result<std::string> state = stateFolder();
    if (!state)
        return Failure{state.error()};
    return PosixFileSystem().replaceAll(*state + "/" + recordFileName(folder, ending), text);
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
    const PosixFileSystem files;
    std::vector<std::string> texts;
    texts.reserve(found.size());
    for (const auto& [when, path] : found)
        texts.push_back(files.readAll(path).value_or(std::string()));
    return texts;
}

} // namespace quorbin
