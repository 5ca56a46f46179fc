#include "platform/posix/PosixProcessControl.h"

#include "platform/posix/CommandLineSplit.h"
#include "platform/posix/LaunchFailure.h"
#include "platform/posix/OutputCapture.h"
#include "platform/posix/ProcessTable.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace quorbin {

static_assert(sizeof(ProcessHandle) == sizeof(pid_t));

namespace {

// Who a process is beyond this tool: the boot and its start within the boot.
std::string startOf(pid_t pid) {
    const auto entry = processEntry(pid);
    return entry ? bootId() + ":" + std::to_string(entry->startTicks) : std::string();
}

// The start ticks of an identity made in this boot; none for another boot or no identity.
std::optional<unsigned long long> ticksThisBoot(const ProcessIdentity& job) {
    const auto colon = job.started.rfind(':');
    if (job.id <= 0 || colon == std::string::npos || job.started.substr(0, colon) != bootId())
        return std::nullopt;
    char* end = nullptr;
    const unsigned long long ticks = std::strtoull(job.started.c_str() + colon + 1, &end, 10);
    if (*end != '\0')
        return std::nullopt;
    return ticks;
}

// A terminated child normally dies at once; this bounds the wait for one stuck in the
// kernel, which is then reaped by a later call instead.
constexpr auto reapAfterKillLimit = std::chrono::seconds(5);

// A killed child is normally gone within a millisecond; this bounds the wait for it in
// the click or tick that killed it. One stuck in the kernel (a hung network file system
// or device) is left to later calls, which reap it once it has ended.
// More than a job's messages keep: of a flood between two ticks, the end is what counts.
constexpr std::uint64_t outputTakenAtMost = std::uint64_t{1} << 20;

constexpr auto killSettleLimit = std::chrono::milliseconds(50);

// An inherited "ignore" of SIGCHLD (or SA_NOCLDWAIT) has the kernel reap every child the
// moment it ends: its exit code is lost, and with its id the job's group is no longer
// pinned for the kill. A handler someone installed is left alone.
void takeBackChildExits() {
    struct sigaction current {};
    if (::sigaction(SIGCHLD, nullptr, &current) != 0)
        return;
    if (current.sa_handler != SIG_IGN && (current.sa_flags & SA_NOCLDWAIT) == 0)
        return;
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    sigemptyset(&standard.sa_mask);
    ::sigaction(SIGCHLD, &standard, nullptr);
}

int openPidfd([[maybe_unused]] pid_t pid) {
#ifdef SYS_pidfd_open
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
#else
    return -1;
#endif
}

int sendSignalByPidfd([[maybe_unused]] int pidfd, [[maybe_unused]] int signal) {
#ifdef SYS_pidfd_send_signal
    return static_cast<int>(::syscall(SYS_pidfd_send_signal, pidfd, signal, nullptr, 0));
#else
    errno = ENOSYS;
    return -1;
#endif
}

// A relative program path names a file seen from the tool's own current directory, not
// from the job's working folder that the child changes into before it starts.
std::string programPath(const std::string& file) {
    if (file.front() == '/')
        return file;
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE)
            return file;
        buffer.resize(buffer.size() * 2);
    }
    std::string path = buffer.data();
    if (path.back() != '/')
        path += '/';
    return path + file;
}

// waitid on the child with WEXITED | WNOHANG and `flags`, through its descriptor where
// there is one.
int waitOnChild(pid_t pid, int pidfd, siginfo_t& info, int flags) {
    int rc = -1;
    if (pidfd >= 0) {
        do
            rc = ::waitid(P_PIDFD, static_cast<id_t>(pidfd), &info, WEXITED | WNOHANG | flags);
        while (rc == -1 && errno == EINTR);
        // Kernels that hand out process descriptors but cannot wait on them yet: the id
        // is as exact, as long as the child is unreaped.
        if (rc == 0 || errno != EINVAL)
            return rc;
    }
    do
        rc = ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | flags);
    while (rc == -1 && errno == EINTR);
    return rc;
}

std::uint32_t codeOf(const siginfo_t& info) {
    if (info.si_code == CLD_EXITED)
        return static_cast<std::uint32_t>(info.si_status);
    return 128u + static_cast<std::uint32_t>(info.si_status);
}

class SpawnSetup {
public:
    SpawnSetup() {
        ::posix_spawn_file_actions_init(&actions_);
        ::posix_spawnattr_init(&attributes_);
    }
    ~SpawnSetup() {
        ::posix_spawnattr_destroy(&attributes_);
        ::posix_spawn_file_actions_destroy(&actions_);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    // A group of its own lets terminate end the job with everything it started. Signal
    // dispositions and the mask are the tool's business, not the program's: they start
    // from their defaults, and the tool's descriptors beyond the standard three stay behind.
    // The program's output and messages go to `output` where there is one.
    bool prepare(const std::string& directory, int output) {
        sigset_t none;
        sigset_t all;
        sigemptyset(&none);
        sigfillset(&all);
        if (::posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK |
                                                         POSIX_SPAWN_SETSIGDEF) != 0 ||
            ::posix_spawnattr_setpgroup(&attributes_, 0) != 0 ||
            ::posix_spawnattr_setsigmask(&attributes_, &none) != 0 ||
            ::posix_spawnattr_setsigdefault(&attributes_, &all) != 0)
            return false;
        if (!directory.empty() && ::posix_spawn_file_actions_addchdir_np(&actions_, directory.c_str()) != 0)
            return false;
        // Nothing reads the program's console: started from a terminal, a job in a group
        // of its own that reads its input (or sets up the terminal) would be stopped by
        // the terminal and look to the tick like a program that runs and writes nothing.
        if (::posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0) != 0)
            return false;
        // Without a capture, output and messages go where the tool's own go; where the
        // tool runs without them, to /dev/null: a program missing one would have the first
        // file it opens take its place, and write its messages into its output.
        for (const int fd : {1, 2}) {
            if (output >= 0) {
                if (::posix_spawn_file_actions_adddup2(&actions_, output, fd) != 0)
                    return false;
            } else if (::fcntl(fd, F_GETFD) == -1 &&
                       ::posix_spawn_file_actions_addopen(&actions_, fd, "/dev/null", O_WRONLY, 0) != 0) {
                return false;
            }
        }
        return ::posix_spawn_file_actions_addclosefrom_np(&actions_, 3) == 0;
    }

    // The new process's id, or 0 with the system's error number.
    pid_t spawn(const std::string& path, const std::vector<std::string>& arguments, int& error) {
        std::vector<char*> argv;
        argv.reserve(arguments.size() + 1);
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        pid_t pid = 0;
        // Failures of the change of folder and of the exec come back here, from the child.
        error = ::posix_spawn(&pid, path.c_str(), &actions_, &attributes_, argv.data(), environ);
        return error == 0 ? pid : 0;
    }

private:
    posix_spawn_file_actions_t actions_;
    posix_spawnattr_t attributes_;
};

} // namespace

PosixProcessControl::PosixProcessControl() {
    takeBackChildExits();
}

PosixProcessControl::~PosixProcessControl() {
    for (auto& [pid, child] : children_)
        if (child.pidfd >= 0)
            ::close(child.pidfd);
    for (auto& [pid, child] : released_)
        if (child.pidfd >= 0)
            ::close(child.pidfd);
}

Result<ProcessHandle> PosixProcessControl::launch(const LaunchRequest& request) {
    reapEnded();
    if (request.file.empty())
        return Failure{"No program is chosen."};
    std::vector<std::string> arguments = splitCommandLine(request.parameters);
    arguments.insert(arguments.begin(), request.file);
    std::optional<OutputCapture> output = OutputCapture::open();
    SpawnSetup setup;
    if (!setup.prepare(request.directory, output ? output->descriptor() : -1))
        return Failure{launchFailureText(request, programPath(request.file), errno)};
    int error = 0;
    const std::string program = programPath(request.file);
    const pid_t pid = setup.spawn(program, arguments, error);
    if (pid <= 0)
        return Failure{launchFailureText(request, program, error)};
    // An entry under the same id can only be one that ended and was reaped long ago,
    // whose id the system has since handed out again.
    if (auto old = children_.find(pid); old != children_.end()) {
        if (old->second.pidfd >= 0)
            ::close(old->second.pidfd);
        children_.erase(old);
    }
    children_[pid] = Child{openPidfd(pid), false, false, false, std::nullopt, startOf(pid)};
    outputs_.erase(pid);
    if (output)
        outputs_.emplace(pid, std::move(*output));
    return pid;
}

std::string PosixProcessControl::takeOutput(ProcessHandle handle) {
    const auto it = outputs_.find(handle);
    return it == outputs_.end() ? std::string() : it->second.take(outputTakenAtMost);
}

ProcessIdentity PosixProcessControl::identity(ProcessHandle handle) {
    const auto it = children_.find(handle);
    if (handle <= 0 || it == children_.end() || it->second.started.empty())
        return {};
    return ProcessIdentity{handle, it->second.started};
}

bool PosixProcessControl::isRunning(const ProcessIdentity& job) {
    return !leftoverOf(job).empty();
}

// The job's group is ended as a whole while its program runs; once the program has gone,
// what it left in the group is ended one by one, each known by its start.
Result<void> PosixProcessControl::endLeftover(const ProcessIdentity& job) {
    const std::vector<pid_t> left = leftoverOf(job);
    if (left.empty())
        return Failure{"The program of the interrupted batch (process " + std::to_string(job.id) +
                       ") no longer runs."};
    if (left.front() == job.id)
        ::kill(-static_cast<pid_t>(job.id), SIGKILL);
    else
        for (const pid_t pid : left)
            ::kill(pid, SIGKILL);
    // Not a child of this tool: nothing to reap, only to see gone.
    const auto deadline = std::chrono::steady_clock::now() + reapAfterKillLimit;
    while (isRunning(job)) {
        if (std::chrono::steady_clock::now() > deadline)
            return Failure{"The program of the interrupted batch (process " + std::to_string(job.id) +
                           ") did not end."};
        const timespec step{0, 10'000'000};
        ::nanosleep(&step, nullptr);
    }
    return Ok{};
}

Result<ProcessStatus> PosixProcessControl::exitCode(ProcessHandle handle) {
    reapEnded();
    const auto it = children_.find(handle);
    if (handle <= 0 || it == children_.end())
        return Failure{"No process has the handle " + std::to_string(handle) + "."};
    Child& child = it->second;
    if (!hasEnded(handle, child))
        return stillRunning;
    if (!child.code)
        return Failure{"The exit code of process " + std::to_string(handle) + " is lost."};
    return endedWith(*child.code);
}

bool PosixProcessControl::terminate(ProcessHandle handle) {
    reapEnded();
    const auto it = children_.find(handle);
    if (handle <= 0 || it == children_.end())
        return false;
    Child& child = it->second;
    // Reaped, the id may name anybody's group by now.
    if (child.reaped)
        return false;
    const bool killed = !hasEnded(handle, child) && signalKill(handle, child);
    if (child.reaped)
        return false;
    // The leader, running or a zombie, still holds the id unreaped, so the group of that
    // id is the job's: this ends what the job started, also after the job itself ended.
    ::kill(-handle, SIGKILL);
    // Nothing is waited for unless the leader itself was just killed.
    if ((killed && awaitEnd(handle, child, killSettleLimit)) || hasEnded(handle, child))
        reap(handle, child);
    else
        child.reapWhenEnded = true;
    return killed;
}

void PosixProcessControl::release(ProcessHandle handle) {
    outputs_.erase(handle);
    const auto it = children_.find(handle);
    if (it != children_.end()) {
        Child child = it->second;
        children_.erase(it);
        if (hasEnded(handle, child))
            reap(handle, child);
        else
            released_[handle] = child;
    }
    reapEnded();
}

bool PosixProcessControl::hasEnded(ProcessHandle pid, Child& child) {
    if (child.ended)
        return true;
    siginfo_t info{};
    const int rc = waitOnChild(pid, child.pidfd, info, WNOWAIT);
    if (rc == 0 && info.si_pid == 0)
        return false;
    child.ended = true;
    if (rc == 0) {
        child.code = codeOf(info);
        return true;
    }
    // ECHILD: someone else in this process reaped it; it has ended, its code is lost, and
    // its id is no longer ours.
    child.reaped = true;
    if (child.pidfd >= 0)
        ::close(child.pidfd);
    child.pidfd = -1;
    return true;
}

void PosixProcessControl::reap(ProcessHandle pid, Child& child) {
    if (child.reaped)
        return;
    siginfo_t info{};
    waitOnChild(pid, child.pidfd, info, 0);
    child.reaped = true;
    if (child.pidfd >= 0)
        ::close(child.pidfd);
    child.pidfd = -1;
}

// Whether the child ended within the limit.
bool PosixProcessControl::awaitEnd(ProcessHandle pid, Child& child, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!hasEnded(pid, child)) {
        const auto left = deadline - std::chrono::steady_clock::now();
        if (left <= std::chrono::steady_clock::duration::zero())
            return false;
        if (child.pidfd >= 0) {
            pollfd ready{child.pidfd, POLLIN, 0};
            ::poll(&ready, 1, static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count()));
        } else {
            const timespec step{0, 1'000'000};
            ::nanosleep(&step, nullptr);
        }
    }
    return true;
}

bool PosixProcessControl::signalKill(ProcessHandle pid, const Child& child) {
    if (child.pidfd >= 0)
        return sendSignalByPidfd(child.pidfd, SIGKILL) == 0;
    return ::kill(pid, SIGKILL) == 0;
}

// The job's program when it runs with the identity's start; once it has gone, whatever
// of its group started after it (a group's id cannot pass to anyone while a member is
// left). A process under the id that started otherwise is a stranger: nothing.
std::vector<pid_t> PosixProcessControl::leftoverOf(const ProcessIdentity& job) {
    const auto ticks = ticksThisBoot(job);
    if (!ticks)
        return {};
    const auto id = static_cast<pid_t>(job.id);
    if (const auto program = processEntry(id)) {
        if (program->startTicks != *ticks)
            return {};
        if (program->state != 'Z' && program->state != 'X')
            return {id};
    }
    std::vector<pid_t> left;
    for (const ProcessEntry& entry : liveProcesses())
        if (entry.group == id && entry.startTicks >= *ticks)
            left.push_back(entry.pid);
    return left;
}

void PosixProcessControl::reapEnded() {
    for (auto& [pid, child] : children_)
        if (child.reapWhenEnded && !child.reaped && hasEnded(pid, child))
            reap(pid, child);
    for (auto it = released_.begin(); it != released_.end();) {
        if (hasEnded(it->first, it->second)) {
            reap(it->first, it->second);
            it = released_.erase(it);
        } else {
            ++it;
        }
    }
}

} // namespace quorbin
