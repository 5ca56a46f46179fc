#include "platform/posix/StateFolder.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace quorbin {

namespace {

Result<void> makeFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0700) == 0 || errno == EEXIST)
        return Ok{};
    return Failure{"Cannot make the folder " + path + ": " + std::strerror(errno)};
}

} // namespace

Result<std::string> stateFolder() {
    std::string base;
    if (const char* state = std::getenv("XDG_STATE_HOME"); state != nullptr && state[0] == '/') {
        base = state;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] != '/')
            return Failure{"Neither XDG_STATE_HOME nor HOME names a folder."};
        base = std::string(home) + "/.local";
        if (const Result<void> made = makeFolder(base); !made)
            return Failure{made.error()};
        base += "/state";
    }
    for (const std::string& folder : {base, base + "/quorbin"})
        if (const Result<void> made = makeFolder(folder); !made)
            return Failure{made.error()};
    return base + "/quorbin";
}

} // namespace quorbin
