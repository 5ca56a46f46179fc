#include "x11/XvfbServer.h"

#include "helpers/Reap.h"

#include <X11/Xlib.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#ifndef QUORBIN_XVFB
#define QUORBIN_XVFB "Xvfb"
#endif

namespace quorbin::test {

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto readyTimeout = std::chrono::seconds(10);
constexpr auto stopTimeout = std::chrono::seconds(5);
constexpr auto pollInterval = std::chrono::milliseconds(5);
constexpr int attempts = 20;

std::string socketPath(int number) {
    return "/tmp/.X11-unix/X" + std::to_string(number);
}
std::string lockPath(int number) {
    return "/tmp/.X" + std::to_string(number) + "-lock";
}

bool exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

bool looksFree(int number) {
    return !exists(socketPath(number)) && !exists(lockPath(number));
}

// Tests of several processes start servers at the same moment: each begins its search
// at its own place so that they seldom race for one number.
int firstCandidate() {
    return 200 + static_cast<int>(::getpid()) * 7 % 3000;
}

std::vector<std::string> serverArguments(int number, const std::vector<std::string>& extraArguments) {
    std::vector<std::string> arguments{
        QUORBIN_XVFB, ":" + std::to_string(number), "-noreset", "-nolisten", "tcp", "-screen", "0",
        "320x240x24"};
    arguments.insert(arguments.end(), extraArguments.begin(), extraArguments.end());
    return arguments;
}

// Runs in the forked child: only calls that are safe there, nothing that allocates.
[[noreturn]] void execServer(char* const* argv, pid_t parent) {
    // The server must not outlive a test that is killed.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent)
        ::_exit(126);
    const int null = ::open("/dev/null", O_RDWR);
    if (null >= 0) {
        ::dup2(null, STDIN_FILENO);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
    }
    ::execvp(argv[0], argv);
    ::_exit(127);
}

} // namespace

bool XvfbServer::start(const std::vector<std::string>& extraArguments) {
    stop();
    const int first = firstCandidate();
    int tries = 0;
    for (int number = first; number < first + 1000 && tries < attempts; ++number) {
        if (!looksFree(number))
            continue;
        ++tries;
        switch (startOn(number, extraArguments)) {
        case Outcome::ready:
            return true;
        case Outcome::displayTaken:
            continue;
        case Outcome::failed:
            return false;
        }
    }
    error_ = "no free display number found for Xvfb";
    return false;
}

XvfbServer::Outcome XvfbServer::startOn(int number, const std::vector<std::string>& extraArguments) {
    std::vector<std::string> arguments = serverArguments(number, extraArguments);
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid < 0) {
        error_ = "fork failed";
        return Outcome::failed;
    }
    if (pid == 0)
        execServer(argv.data(), parent);
    pid_ = pid;
    number_ = number;
    const Outcome outcome = awaitReady(number);
    if (outcome != Outcome::ready)
        stop();
    else
        displayName_ = ":" + std::to_string(number);
    return outcome;
}

XvfbServer::Outcome XvfbServer::awaitReady(int number) {
    const std::string name = ":" + std::to_string(number);
    const auto deadline = Clock::now() + readyTimeout;
    while (Clock::now() < deadline) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            if (WIFEXITED(status) && WEXITSTATUS(status) == 127) {
                error_ = std::string("could not run ") + QUORBIN_XVFB;
                return Outcome::failed;
            }
            // Most often another server took the number between the look and the start.
            return Outcome::displayTaken;
        }
        // The lock must name our server: a connection alone could reach one that another
        // test started on the same number a moment earlier.
        if (ownsLock(number)) {
            if (Display* display = XOpenDisplay(name.c_str())) {
                XCloseDisplay(display);
                return Outcome::ready;
            }
        }
        std::this_thread::sleep_for(pollInterval);
    }
    error_ = "Xvfb on " + name + " did not accept connections within 10 s";
    return Outcome::failed;
}

bool XvfbServer::ownsLock(int number) const {
    std::ifstream lock(lockPath(number));
    long pid = 0;
    return (lock >> pid) && pid == pid_;
}

void XvfbServer::stop() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        if (!reapWithin(pid_, stopTimeout)) {
            ::kill(pid_, SIGKILL);
            int status = 0;
            ::waitpid(pid_, &status, 0);
        }
        // A server that had to be killed leaves its lock and socket behind.
        if (ownsLock(number_)) {
            ::unlink(lockPath(number_).c_str());
            ::unlink(socketPath(number_).c_str());
        }
        pid_ = -1;
    }
    displayName_.clear();
}

} // namespace quorbin::test
