#include "platform/posix/ProcessTable.h"

#include <dirent.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace quorbin {

std::optional<ProcessEntry> processEntry(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat;
    if (!std::getline(in, stat))
        return std::nullopt;
    // The command name in parentheses may hold blanks and parentheses: the fields follow
    // the last ')'. After it: state (3), parent (4), group (5) ... start time (22).
    const auto close = stat.rfind(')');
    if (close == std::string::npos)
        return std::nullopt;
    std::istringstream fields(stat.substr(close + 1));
    ProcessEntry entry;
    entry.pid = pid;
    pid_t parent = 0;
    fields >> entry.state >> parent >> entry.group;
    std::string skipped;
    for (int field = 6; field < 22; ++field)
        fields >> skipped;
    fields >> entry.startTicks;
    if (!fields)
        return std::nullopt;
    return entry;
}

std::vector<ProcessEntry> liveProcesses() {
    std::vector<ProcessEntry> entries;
    DIR* folder = ::opendir("/proc");
    if (folder == nullptr)
        return entries;
    while (const dirent* item = ::readdir(folder)) {
        char* end = nullptr;
        const long pid = std::strtol(item->d_name, &end, 10);
        if (pid <= 0 || *end != '\0')
            continue;
        if (const auto entry = processEntry(static_cast<pid_t>(pid));
            entry && entry->state != 'Z' && entry->state != 'X')
            entries.push_back(*entry);
    }
    ::closedir(folder);
    return entries;
}

std::string bootId() {
    std::ifstream in("/proc/sys/kernel/random/boot_id");
    std::string id;
    std::getline(in, id);
    return id;
}

} // namespace quorbin
