#include "platform/posix/PosixProcessControl.h"

#include "helpers/TempDir.h"
#include "helpers/WaitUntil.h"
#include "posix/ProcFs.h"
#include "posix/ProcessGuard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace quorbin {
namespace {

using test::ProcessGuard;
using test::TempDir;
using test::waitUntil;

constexpr std::uint64_t killBit = 1ull << (SIGKILL - 1);

void writeText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool exists(const std::string& path) {
    return std::filesystem::exists(path);
}

// The command line as the tool builds it, with the job's directives as its script.
LaunchRequest fakeJob(const TempDir& dir, const std::string& directives) {
    const std::string script = dir.file("quorbin.avs");
    writeText(script, "Open(clip.avi)\r\n" + directives + "\r\n");
    LaunchRequest request;
    request.file = FAKEPROC_PATH;
    request.parameters = " /c /s \"" + dir.file("fast.vcf") + "\"  /p \"" + script + "\" \"" +
                         dir.file("clipP.avi") + "\" /r /x";
    request.directory = dir.path().string() + "/";
    return request;
}

pid_t readPid(const std::string& path) {
    return static_cast<pid_t>(std::stol(readText(path)));
}

bool collectedByNobody(pid_t pid) {
    int status = 0;
    return ::waitpid(pid, &status, WNOHANG) == -1 && errno == ECHILD;
}

// The dump of argdump: its current directory, then argv[0], argv[1], ...
std::vector<std::string> readDump(const std::string& path) {
    std::vector<std::string> parts;
    std::string text = readText(path);
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\0', start);
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

class ArgdumpOutput {
public:
    explicit ArgdumpOutput(const std::string& path) { ::setenv("ARGDUMP_OUT", path.c_str(), 1); }
    ~ArgdumpOutput() { ::unsetenv("ARGDUMP_OUT"); }
    ArgdumpOutput(const ArgdumpOutput&) = delete;
    ArgdumpOutput& operator=(const ArgdumpOutput&) = delete;
};

class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::filesystem::path& path) : saved_(std::filesystem::current_path()) {
        std::filesystem::current_path(path);
    }
    ~CurrentDirectory() { std::filesystem::current_path(saved_); }
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

private:
    std::filesystem::path saved_;
};

struct ExitCase {
    const char* directives;
    std::uint32_t code;
};

TEST(PosixProcessControl, ReportsTheExitCodeAndLeavesNoZombieOnceTerminated) {
    const std::vector<ExitCase> cases = {
        {"exit=0", 0}, {"exit=3", 3}, {"exit=255", 255}, {"signal=9", 128 + 9}, {"signal=15", 128 + 15},
    };
    for (const ExitCase& c : cases) {
        SCOPED_TRACE(c.directives);
        TempDir dir;
        PosixProcessControl control;
        ProcessGuard guard(control);
        const int descriptorsBefore = test::openDescriptorCount();
        const ProcessHandle handle =
            guard.track(control.launch(fakeJob(dir, std::string("steps=0\r\n") + c.directives)));
        ASSERT_GT(handle, 0);
        ASSERT_TRUE(waitUntil([&] { return control.exitCode(handle) != stillRunning; }));
        EXPECT_EQ(control.exitCode(handle), endedWith(c.code));
        EXPECT_EQ(control.exitCode(handle), endedWith(c.code)) << "a later query gives the same code";
        EXPECT_FALSE(control.terminate(handle));
        EXPECT_TRUE(collectedByNobody(handle)) << "the child was reaped";
        EXPECT_EQ(control.exitCode(handle), endedWith(c.code));
        control.release(handle); // the capture of its output is kept until then
        EXPECT_EQ(test::openDescriptorCount(), descriptorsBefore);
    }
}

std::vector<int> descriptorsOf(pid_t pid) {
    std::vector<int> fds;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/fd"))
        fds.push_back(std::stoi(entry.path().filename().string()));
    std::sort(fds.begin(), fds.end());
    return fds;
}

TEST(PosixProcessControl, ARunningProgramIsStillActiveInAGroupOfItsOwn) {
    TempDir dir;
    PosixProcessControl control;
    ProcessGuard guard(control);
    // A descriptor of the tool that is not marked close-on-exec stays with the tool.
    const int opened = ::open(dir.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(opened, 0);
    const int toolFile = ::fcntl(opened, F_DUPFD, 10);
    ::close(opened);
    ASSERT_GE(toolFile, 10);
    std::vector<int> standard{0};
    for (int fd = 1; fd <= 2; ++fd)
        if (::fcntl(fd, F_GETFD) != -1)
            standard.push_back(fd);
    const std::string pidfile = dir.file("own.pid");
    const ProcessHandle handle =
        guard.track(control.launch(fakeJob(dir, "pidfile=" + pidfile + "\r\nsteps=0\r\nhang")));
    ASSERT_GT(handle, 0);
    EXPECT_EQ(control.exitCode(handle), stillRunning);
    EXPECT_EQ(::getpgid(handle), handle);
    EXPECT_NE(::getpgid(handle), ::getpgrp());
    EXPECT_EQ(control.exitCode(handle), stillRunning);
    // The pid file comes once the program has read its script and closed it again.
    ASSERT_TRUE(waitUntil([&] { return exists(pidfile); }));
    EXPECT_EQ(readPid(pidfile), handle);
    EXPECT_EQ(descriptorsOf(handle), standard);
    ::close(toolFile);

    EXPECT_TRUE(control.terminate(handle));
    EXPECT_EQ(control.exitCode(handle), endedWith(128u + SIGKILL));
    EXPECT_TRUE(collectedByNobody(handle));
    EXPECT_FALSE(control.terminate(handle)) << "an ended process is not signalled again";
    EXPECT_EQ(control.exitCode(handle), endedWith(128u + SIGKILL));
}

// The tool's input is never the program's: a program started from a terminal would
// otherwise be stopped the moment it reads, in a group that is not the terminal's.
TEST(PosixProcessControl, TheProgramReadsNothingFromTheToolsInput) {
    TempDir dir;
    PosixProcessControl control;
    ProcessGuard guard(control);
    const std::string pidfile = dir.file("input.pid");
    const ProcessHandle handle =
        guard.track(control.launch(fakeJob(dir, "pidfile=" + pidfile + "\r\nsteps=0\r\nhang")));
    ASSERT_GT(handle, 0);
    ASSERT_TRUE(waitUntil([&] { return exists(pidfile); }));
    const std::string fd = "/proc/" + std::to_string(handle) + "/fd/";
    EXPECT_EQ(std::filesystem::read_symlink(fd + "0"), "/dev/null");
    EXPECT_TRUE(control.terminate(handle));
}

// The program's output and messages are what tells a user why a job failed: each byte is
// taken once, in order, both streams, until the handle is released.
TEST(PosixProcessControl, WhatTheProgramWritesIsTakenOnceUntilRelease) {
    TempDir dir;
    PosixProcessControl control;
    ProcessGuard guard(control);
    const std::string pidfile = dir.file("job.pid");
    const std::string go = dir.file("go");
    const ProcessHandle handle = guard.track(control.launch(
        fakeJob(dir, "say=encoder x264 not found\r\npidfile=" + pidfile + "\r\nsteps=0\r\nwait_for=" + go +
                         "\r\ncomplain=giving up\r\nexit=1")));
    ASSERT_GT(handle, 0);
    ASSERT_TRUE(waitUntil([&] { return exists(pidfile); }));
    EXPECT_EQ(control.takeOutput(handle), "encoder x264 not found\n");
    EXPECT_EQ(control.takeOutput(handle), "");
    std::ofstream(go).flush();
    ASSERT_TRUE(waitUntil([&] { return control.exitCode(handle) != stillRunning; }));
    EXPECT_EQ(control.takeOutput(handle), "giving up\n");
    control.release(handle);
    EXPECT_EQ(control.takeOutput(handle), "");
}

// A descriptor the tool runs without would be taken by the first file the program
// opens, its output perhaps, which would then get its messages. Each case runs in a
// process of its own, which lacks that descriptor.
TEST(PosixProcessControl, TheProgramGetsNullForTheStandardDescriptorsTheToolLacks) {
    for (const int lacking : {1, 2}) {
        TempDir dir;
        const std::string pidfile = dir.file("job.pid");
        const LaunchRequest request = fakeJob(dir, "pidfile=" + pidfile + "\r\nsteps=0\r\nhang");
        const auto launchWithout = [&] {
            ::close(lacking);
            ::setenv("TMPDIR", dir.file("missing").c_str(), 1); // nowhere to capture the output
            PosixProcessControl control;
            const ProcessHandle handle = control.launch(request).value_or(0);
            const std::string given = "/proc/" + std::to_string(handle) + "/fd/" + std::to_string(lacking);
            std::error_code none;
            const bool null = handle > 0 && waitUntil([&] { return exists(pidfile); }) &&
                              std::filesystem::read_symlink(given, none) == "/dev/null";
            (void)control.terminate(handle);
            std::_Exit(null ? 0 : 1);
        };
        EXPECT_EXIT(launchWithout(), ::testing::ExitedWithCode(0), "") << "descriptor " << lacking;
    }
}

// Started with SIGCHLD ignored (some launchers leave it so), the tool would have the
// kernel reap every job the moment it ends, and lose its exit code.
TEST(PosixProcessControl, ExitCodesSurviveAnInheritedIgnoreOfChildExits) {
    TempDir dir;
    const LaunchRequest request = fakeJob(dir, "steps=0\r\nexit=3");
    const auto launchIgnoringChildExits = [&] {
        std::signal(SIGCHLD, SIG_IGN);
        PosixProcessControl control;
        const ProcessHandle handle = control.launch(request).value_or(0);
        (void)waitUntil([&] { return control.exitCode(handle) != stillRunning; });
        std::_Exit(control.exitCode(handle) == endedWith(3u) ? 0 : 1);
    };
    EXPECT_EXIT(launchIgnoringChildExits(), ::testing::ExitedWithCode(0), "");
}

TEST(PosixProcessControl, TerminateEndsWhatTheProgramStarted) {
    TempDir dir;
    PosixProcessControl control;
    ProcessGuard guard(control);
    const std::string pidfile = dir.file("child.pid");
    const ProcessHandle handle = guard.track(
        control.launch(fakeJob(dir, "spawn_child\r\nchild_pidfile=" + pidfile + "\r\nsteps=0\r\nhang")));
    ASSERT_GT(handle, 0);
    ASSERT_TRUE(waitUntil([&] { return exists(pidfile); }));
    const pid_t grandchild = readPid(pidfile);
    guard.trackStray(grandchild);
    ASSERT_TRUE(test::processRunning(grandchild));
    EXPECT_EQ(::getpgid(grandchild), handle);

    EXPECT_TRUE(control.terminate(handle));
    EXPECT_TRUE(waitUntil([&] { return control.exitCode(handle) == endedWith(128u + SIGKILL); }));
    EXPECT_TRUE(waitUntil([&] { return test::processGone(grandchild); }));
}

// A wrapper that starts its worker and exits at once: the worker writes on, in the job's
// group, until terminate ends it together with the group.
TEST(PosixProcessControl, TerminateAfterTheProgramEndedEndsWhatItLeftBehind) {
    TempDir dir;
    PosixProcessControl control;
    ProcessGuard guard(control);
    const std::string pidfile = dir.file("child.pid");
    const std::string output = dir.file("clipP.avi");
    const ProcessHandle handle = guard.track(control.launch(
        fakeJob(dir, "spawn_child\r\nchild_rate=10\r\ninterval_ms=5\r\nchild_pidfile=" + pidfile +
                         "\r\nsteps=0\r\nexit=0")));
    ASSERT_GT(handle, 0);
    ASSERT_TRUE(waitUntil([&] { return exists(pidfile); }));
    const pid_t worker = readPid(pidfile);
    guard.trackStray(worker);
    ASSERT_TRUE(waitUntil([&] { return control.exitCode(handle) != stillRunning; }));
    ASSERT_EQ(control.exitCode(handle), endedWith(0u));
    // The ended program stays unreaped, holding the group's id, and its worker writes on.
    EXPECT_EQ(test::processState(handle), 'Z');
    const auto written = [&] { return exists(output) ? std::filesystem::file_size(output) : 0; };
    const auto before = written();
    ASSERT_TRUE(waitUntil([&] { return written() > before; }));
    ASSERT_EQ(test::procStat(worker).group, handle);

    EXPECT_FALSE(control.terminate(handle)) << "the program itself had ended";
    EXPECT_TRUE(waitUntil([&] { return test::runningGroups().count(handle) == 0; }));
    EXPECT_TRUE(collectedByNobody(handle));
    EXPECT_EQ(control.exitCode(handle), endedWith(0u)) << "the code is kept";
}

// A process under the given id, in a group of that id: a stranger that was handed the id
// again. Needs the right to set the next process id (root); 0 when it could not be had.
pid_t startStrangerAs(pid_t wanted) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        std::ofstream last("/proc/sys/kernel/ns_last_pid");
        if (!(last << wanted - 1 << std::flush))
            return 0;
        last.close();
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::setpgid(0, 0);
            for (;;)
                ::pause();
        }
        if (pid == wanted) {
            ::setpgid(pid, pid);
            return pid;
        }
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }
    return 0;
}

// Until terminate the ended program is a zombie of ours, so no stranger can hold its id;
// once it is reaped, a stranger given that id is never signalled.
TEST(PosixProcessControl, AGroupWhoseIdWasFreedIsNeverSignalled) {
    TempDir dir;
    PosixProcessControl control;
    ProcessGuard guard(control);
    const ProcessHandle handle = guard.track(control.launch(fakeJob(dir, "steps=0\r\nexit=0")));
    ASSERT_GT(handle, 0);
    ASSERT_TRUE(waitUntil([&] { return control.exitCode(handle) != stillRunning; }));
    EXPECT_EQ(control.exitCode(handle), endedWith(0u));
    EXPECT_EQ(test::procStat(handle).state, 'Z');
    EXPECT_EQ(test::procStat(handle).parent, ::getpid());
    EXPECT_FALSE(control.terminate(handle));
    ASSERT_TRUE(collectedByNobody(handle));

    const pid_t stranger = startStrangerAs(handle);
    if (stranger == 0)
        GTEST_SKIP() << "cannot choose the next process id here";
    guard.adoptChild(stranger);
    ASSERT_TRUE(waitUntil([&] { return ::getpgid(stranger) == handle; }));
    EXPECT_FALSE(control.terminate(handle));
    EXPECT_EQ(control.exitCode(handle), endedWith(0u));
    control.release(handle);
    EXPECT_FALSE(control.terminate(handle));
    EXPECT_TRUE(test::processRunning(stranger));
    EXPECT_EQ(test::pendingSignals(stranger) & killBit, 0u);
}

// The batch's rhythm, many times over: a job that leaves a worker behind ends, is
// terminated, and its handle is released once the next job has started.
TEST(PosixProcessControl, ManyQuickJobsLeaveNothingRunningNoZombieAndNoDescriptor) {
    TempDir dir;
    PosixProcessControl control;
    ProcessGuard guard(control);
    const LaunchRequest request = fakeJob(dir, "spawn_child\r\nchild_sleep_ms=60000\r\nsteps=0\r\nexit=0");
    const int descriptorsBefore = test::openDescriptorCount();
    std::vector<ProcessHandle> handles;
    for (int job = 0; job < 200; ++job) {
        const ProcessHandle handle = guard.track(control.launch(request));
        ASSERT_GT(handle, 0);
        ASSERT_TRUE(waitUntil([&] { return control.exitCode(handle) != stillRunning; }));
        EXPECT_FALSE(control.terminate(handle));
        if (!handles.empty())
            control.release(handles.back());
        handles.push_back(handle);
    }
    control.release(handles.back());
    EXPECT_TRUE(waitUntil([&] {
        const std::set<pid_t> running = test::runningGroups();
        return std::none_of(handles.begin(), handles.end(),
                            [&](pid_t group) { return running.count(group); });
    }));
    EXPECT_EQ(test::zombieChildrenOf(::getpid()), 0);
    EXPECT_EQ(test::openDescriptorCount(), descriptorsBefore);
}

TEST(PosixProcessControl, NoHandleAndUnknownHandlesAreRefused) {
    PosixProcessControl control;
    EXPECT_FALSE(control.exitCode(0));
    EXPECT_FALSE(control.exitCode(-4));
    // A live process that is not a child of this backend.
    EXPECT_FALSE(control.exitCode(::getpid()));
    EXPECT_FALSE(control.terminate(0));
    EXPECT_FALSE(control.terminate(::getpid()));
    control.release(0);
    control.release(::getpid());
    EXPECT_FALSE(control.exitCode(::getpid()));
}

TEST(PosixProcessControl, StartsNothingWhenTheProgramCannotRun) {
    TempDir dir;
    const std::string plain = dir.file("plain.exe");
    writeText(plain, "not a program\n");
    ::chmod(plain.c_str(), 0644);
    const std::string data = dir.file("data.exe");
    writeText(data, "\x01\x02 not a program either\n");
    ::chmod(data.c_str(), 0755);
    std::filesystem::create_directory(dir.file("folder.exe"));
    const auto script = [&](const char* name, const std::string& text) {
        writeText(dir.file(name), text);
        ::chmod(dir.file(name).c_str(), 0755);
        return dir.file(name);
    };
    ASSERT_FALSE(exists(std::filesystem::current_path() / "true")) << "the bare name must not be found here";

    struct Case {
        const char* what;
        std::string file;
        std::string directory;
        std::string reason; // what the failure's text ends with
    };
    const std::string notFound = "No such file or directory";
    const std::string noFolder = "the working folder ";
    const std::vector<Case> cases = {
        {"missing program", dir.file("missing.exe"), dir.path().string(), notFound},
        {"no execute permission", plain, dir.path().string(),
         "not an executable program (Permission denied)."},
        {"not a program format", data, dir.path().string(),
         "not a program for this system (Exec format error)."},
        {"a Windows program", script("w.exe", "MZ\x90"), dir.path().string(), "such as quorbin-wine."},
        {"a script without #!", script("plain.sh", "echo hi\n"), dir.path().string(),
         "begin it with a line such as #!/bin/sh."},
        {"a #! line ending in CR", script("crlf.sh", "#!/bin/sh\r\necho hi\r\n"), dir.path().string(),
         "its first line ends in a Windows line end (CR), so the system looks for an interpreter whose "
         "name ends in CR: save the script with Unix line ends (LF)."},
        {"a missing interpreter", script("lost.sh", "#!/opt/none/shell -e\n"), dir.path().string(),
         "the interpreter /opt/none/shell named on its first line does not exist."},
        {"a folder", dir.file("folder.exe"), dir.path().string(), "it is a folder."},
        {"empty program path", "", dir.path().string(), "No program is chosen."},
        {"a bare name is not searched for", "true", dir.path().string(), notFound},
        {"missing working folder", FAKEPROC_PATH, dir.file("missing") + "/",
         noFolder + dir.file("missing") + "/ does not exist."},
        {"working folder is a file", FAKEPROC_PATH, plain, noFolder + plain + " is not a folder."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PosixProcessControl control;
        ProcessGuard guard(control);
        LaunchRequest request;
        request.file = c.file;
        request.parameters = " /c";
        request.directory = c.directory;
        const Result<ProcessHandle> launched = control.launch(request);
        EXPECT_EQ(guard.track(launched), 0);
        EXPECT_TRUE(launched.error().ends_with(c.reason)) << launched.error();
        EXPECT_FALSE(control.exitCode(0));
    }
}

TEST(PosixProcessControl, PassesTheArgumentsAsSplitAndStartsInTheWorkingFolder) {
    TempDir dir;
    const std::filesystem::path folder = dir.path() / "job folder";
    std::filesystem::create_directory(folder);
    const std::string dump = dir.file("dump");
    ArgdumpOutput output(dump);
    PosixProcessControl control;
    ProcessGuard guard(control);
    LaunchRequest request;
    request.file = ARGDUMP_PATH;
    request.parameters = R"( /c /s "C:\set\fast.vcf"  /p "D:\jobs\quorbin.avs" "D:\jobs\clipP.avi" /r /x)"
                         R"( "" "two words" a\\"b c" q\"uote)";
    request.directory = folder.string() + "/";

    const ProcessHandle handle = guard.track(control.launch(request));
    ASSERT_GT(handle, 0);
    ASSERT_TRUE(waitUntil([&] { return control.exitCode(handle) != stillRunning; }));
    ASSERT_EQ(control.exitCode(handle), endedWith(0u));
    const std::vector<std::string> expected = {
        folder.string(),
        ARGDUMP_PATH,
        "/c",
        "/s",
        R"(C:\set\fast.vcf)",
        "/p",
        R"(D:\jobs\quorbin.avs)",
        R"(D:\jobs\clipP.avi)",
        "/r",
        "/x",
        "",
        "two words",
        R"(a\b c)",
        R"(q"uote)",
    };
    EXPECT_EQ(readDump(dump), expected);
}

TEST(PosixProcessControl, ARelativeProgramPathIsSeenFromTheToolsFolder) {
    TempDir dir;
    const std::filesystem::path tool = dir.path() / "tool";
    const std::filesystem::path job = dir.path() / "job";
    std::filesystem::create_directories(tool / "bin");
    std::filesystem::create_directory(job);
    std::filesystem::create_symlink(ARGDUMP_PATH, tool / "bin" / "prog");
    const std::string dump = dir.file("dump");
    ArgdumpOutput output(dump);
    PosixProcessControl control;
    ProcessGuard guard(control);
    ProcessHandle handle = 0;
    {
        CurrentDirectory inTool(tool);
        LaunchRequest request;
        request.file = "bin/prog";
        request.parameters = " /x";
        request.directory = job.string();
        handle = guard.track(control.launch(request));
    }
    ASSERT_GT(handle, 0);
    ASSERT_TRUE(waitUntil([&] { return control.exitCode(handle) != stillRunning; }));
    const std::vector<std::string> expected = {job.string(), "bin/prog", "/x"};
    EXPECT_EQ(readDump(dump), expected);
}

// Signals the tool ignores or blocks for itself must not reach into the program.
TEST(PosixProcessControl, TheProgramStartsWithDefaultSignalHandling) {
    TempDir dir;
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction savedTerm {};
    ::sigaction(SIGTERM, &ignore, &savedTerm);
    sigset_t blocked;
    sigset_t savedMask;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGINT);
    ::sigprocmask(SIG_BLOCK, &blocked, &savedMask);

    const std::vector<ExitCase> cases = {{"signal=15", 128 + 15}, {"signal=2", 128 + 2}};
    for (const ExitCase& c : cases) {
        SCOPED_TRACE(c.directives);
        PosixProcessControl control;
        ProcessGuard guard(control);
        const ProcessHandle handle =
            guard.track(control.launch(fakeJob(dir, std::string("steps=0\r\n") + c.directives)));
        ASSERT_GT(handle, 0);
        ASSERT_TRUE(waitUntil([&] { return control.exitCode(handle) != stillRunning; }));
        EXPECT_EQ(control.exitCode(handle), endedWith(c.code));
    }
    ::sigprocmask(SIG_SETMASK, &savedMask, nullptr);
    ::sigaction(SIGTERM, &savedTerm, nullptr);
}

TEST(PosixProcessControl, AReleasedProgramRunsOnAndIsReapedByALaterCall) {
    TempDir dir;
    ProcessGuard guard;
    PosixProcessControl control;
    const std::string trigger = dir.file("go");
    const ProcessHandle handle =
        control.launch(fakeJob(dir, "steps=0\r\nwait_for=" + trigger + "\r\nexit=7")).value_or(0);
    ASSERT_GT(handle, 0);
    guard.adoptChild(handle);

    control.release(handle);
    EXPECT_FALSE(control.exitCode(handle));
    EXPECT_FALSE(control.terminate(handle));
    EXPECT_TRUE(test::processRunning(handle));
    EXPECT_EQ(test::pendingSignals(handle) & killBit, 0u);

    writeText(trigger, "");
    ASSERT_TRUE(waitUntil([&] { return test::processState(handle) == 'Z'; }));
    EXPECT_FALSE(control.exitCode(0));
    EXPECT_TRUE(collectedByNobody(handle));
}

// Releasing ends nothing: what the ended program left behind runs on, and the program
// itself is reaped rather than kept as a zombie for the rest of the tool's life.
TEST(PosixProcessControl, ReleasingAnEndedProgramReapsItAndLeavesItsWorkerRunning) {
    TempDir dir;
    PosixProcessControl control;
    ProcessGuard guard(control);
    const int descriptorsBefore = test::openDescriptorCount();
    const std::string pidfile = dir.file("child.pid");
    const ProcessHandle handle = guard.track(
        control.launch(fakeJob(dir, "spawn_child\r\nchild_pidfile=" + pidfile + "\r\nsteps=0\r\nexit=1")));
    ASSERT_GT(handle, 0);
    ASSERT_TRUE(waitUntil([&] { return exists(pidfile); }));
    const pid_t worker = readPid(pidfile);
    guard.trackStray(worker);
    ASSERT_TRUE(waitUntil([&] { return test::processState(handle) == 'Z'; }));
    control.release(handle);
    EXPECT_TRUE(collectedByNobody(handle));
    EXPECT_FALSE(control.exitCode(handle));
    EXPECT_TRUE(test::processRunning(worker));
    EXPECT_EQ(test::pendingSignals(worker) & killBit, 0u);
    EXPECT_EQ(test::openDescriptorCount(), descriptorsBefore);
}

TEST(PosixProcessControl, ClosingTheToolLeavesTheProgramRunning) {
    TempDir dir;
    ProcessGuard guard;
    ProcessHandle handle = 0;
    {
        PosixProcessControl control;
        handle = control.launch(fakeJob(dir, "steps=0\r\nhang")).value_or(0);
        ASSERT_GT(handle, 0);
        guard.adoptChild(handle);
    }
    EXPECT_TRUE(test::processRunning(handle));
    EXPECT_EQ(test::pendingSignals(handle) & killBit, 0u);
}

} // namespace
} // namespace quorbin
