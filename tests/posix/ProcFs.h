#pragma once

#include <sys/types.h>

#include <cstdint>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace quorbin::test {

// What /proc/<pid>/stat says of a process's state, parent and process group.
struct ProcStat {
    char state = 0;
    pid_t parent = 0;
    pid_t group = 0;
};

inline ProcStat procStat(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat;
    ProcStat fields;
    if (!std::getline(in, stat))
        return fields;
    // The command name in parentheses may hold blanks; the fields follow the last ')'.
    const auto close = stat.rfind(')');
    if (close == std::string::npos)
        return fields;
    std::istringstream rest(stat.substr(close + 1));
    rest >> fields.state >> fields.parent >> fields.group;
    return fields;
}

// Every process id in /proc.
inline std::vector<pid_t> allProcesses() {
    std::vector<pid_t> pids;
    DIR* folder = ::opendir("/proc");
    if (folder == nullptr)
        return pids;
    while (const dirent* entry = ::readdir(folder)) {
        char* end = nullptr;
        const long pid = std::strtol(entry->d_name, &end, 10);
        if (pid > 0 && *end == '\0')
            pids.push_back(static_cast<pid_t>(pid));
    }
    ::closedir(folder);
    return pids;
}

// The groups that have a running member.
inline std::set<pid_t> runningGroups() {
    std::set<pid_t> groups;
    for (pid_t pid : allProcesses()) {
        const ProcStat stat = procStat(pid);
        if (stat.state != 'Z' && stat.state != 'X' && stat.state != 0)
            groups.insert(stat.group);
    }
    return groups;
}

// Children of `parent` that have ended and wait to be collected by it.
inline int zombieChildrenOf(pid_t parent) {
    int zombies = 0;
    for (pid_t pid : allProcesses()) {
        const ProcStat stat = procStat(pid);
        if (stat.parent == parent && stat.state == 'Z')
            ++zombies;
    }
    return zombies;
}

// The state letter of a process (R, S, Z, ...), or 0 when there is none.
inline char processState(pid_t pid) {
    return procStat(pid).state;
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
