#pragma once

#include <sys/types.h>

#include <cstdint>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <string>

namespace quorbin::test {

// The state letter of a process from /proc (R, S, Z, ...), or 0 when there is none.
inline char processState(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat;
    if (!std::getline(in, stat))
        return 0;
    // The command name in parentheses may hold blanks; the state follows the last ')'.
    const auto close = stat.rfind(')');
    return close == std::string::npos || close + 2 >= stat.size() ? 0 : stat[close + 2];
}

// Dead, whether or not its parent has collected it yet.
inline bool processGone(pid_t pid) {
    const char state = processState(pid);
    return state == 0 || state == 'Z' || state == 'X';
}

inline bool processRunning(pid_t pid) {
    return !processGone(pid);
}

// Signals sent to the process but not yet acted on, thread and process wide, as a mask
// with bit n-1 for signal n.
inline std::uint64_t pendingSignals(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::uint64_t pending = 0;
    for (std::string line; std::getline(in, line);)
        if (line.rfind("SigPnd:", 0) == 0 || line.rfind("ShdPnd:", 0) == 0)
            pending |= std::stoull(line.substr(7), nullptr, 16);
    return pending;
}

inline std::string commandLine(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/cmdline", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline int openDescriptorCount() {
    DIR* folder = ::opendir("/proc/self/fd");
    if (folder == nullptr)
        return -1;
    int count = 0;
    while (::readdir(folder) != nullptr)
        ++count;
    ::closedir(folder);
    return count;
}

} // namespace quorbin::test
