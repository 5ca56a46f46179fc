#include "platform/posix/LaunchFailure.h"

#include "platform/posix/UniqueFd.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace quorbin {

namespace {

// As much of a file's start as the system reads to tell a script from a program.
constexpr std::size_t headLength = 256;

std::string systemText(int error) {
    return std::strerror(error);
}

bool isFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// What keeps the program from starting in the folder, or nothing when it can be entered.
std::optional<std::string> folderProblem(const std::string& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0)
        return errno == ENOENT || errno == ENOTDIR ? "does not exist."
                                                   : "cannot be reached (" + systemText(errno) + ").";
    if (!S_ISDIR(info.st_mode))
        return "is not a folder.";
    if (::access(folder.c_str(), X_OK) != 0)
        return "cannot be entered (" + systemText(errno) + ").";
    return std::nullopt;
}

std::string headOf(const std::string& path) {
    const UniqueFd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    std::string head(headLength, '\0');
    const ssize_t read = file.valid() ? ::read(file.get(), head.data(), head.size()) : -1;
    head.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
    return head;
}

bool looksLikeText(const std::string& head) {
    return std::none_of(head.begin(), head.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f';
    });
}

// A script the system found but could not run through the interpreter its "#!" line
// names; nothing for a file without that line.
std::optional<std::string> interpreterProblem(const std::string& program) {
    const std::string head = headOf(program);
    if (!head.starts_with("#!"))
        return std::nullopt;
    // The system splits the line at blanks alone: a CR at its end stays in the last word.
    const std::string line = head.substr(2, head.find('\n') - 2);
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos)
        return std::string("its first line names no interpreter after \"#!\".");
    const std::string interpreter = line.substr(start, line.find_first_of(" \t", start) - start);
    if (interpreter.ends_with('\r'))
        return std::string("its first line ends in a Windows line end (CR), so the system looks for an "
                           "interpreter whose name ends in CR: save the script with Unix line ends (LF).");
    if (::access(interpreter.c_str(), F_OK) != 0)
        return "the interpreter " + interpreter + " named on its first line does not exist.";
    if (::access(interpreter.c_str(), X_OK) != 0 || isFolder(interpreter))
        return "the interpreter " + interpreter + " named on its first line cannot be run.";
    return std::nullopt;
}

// A file the system does not know how to run.
std::string unknownFormat(const std::string& program) {
    const std::string head = headOf(program);
    if (head.starts_with("MZ"))
        return "it is a Windows program: choose a wrapper that runs it under Wine, such as quorbin-wine.";
    if (looksLikeText(head))
        return "it is a script without a first line naming its interpreter: begin it with a line such as "
               "#!/bin/sh.";
    return "it is not a program for this system (" + systemText(ENOEXEC) + ").";
}

} // namespace

std::string launchFailureText(const LaunchRequest& request, const std::string& program, int error) {
    const std::string start = "The program " + request.file + " could not be started: ";
    if (!request.directory.empty())
        if (const auto problem = folderProblem(request.directory))
            return start + "the working folder " + request.directory + " " + *problem;
    if (isFolder(program))
        return start + "it is a folder.";
    if (error == ENOEXEC)
        return start + unknownFormat(program);
    // The program is there and may run, but what its first line names is missing or
    // cannot run.
    const bool runnable = ::access(program.c_str(), X_OK) == 0;
    if (runnable && (error == ENOENT || error == EACCES))
        if (const auto problem = interpreterProblem(program))
            return start + *problem;
    if (error == EACCES)
        return start + "it is not an executable program (" + systemText(error) + ").";
    return start + systemText(error);
}

} // namespace quorbin
