// fakeproc: a stand-in for the processing program, for tests that start real processes.
//
// It reads its command line as the tool builds it:
//
//     /c /s <settings file> /p <job script> <output file> /r /x
//
// /c, /r and /x are ignored, and so is the settings file. What it does is told by the
// job script, one directive per line; any other line (the script proper) is ignored.
// A directive may stand after blanks and a '#', so that a template can carry it as a
// comment; carriage returns at line ends are ignored. Directives:
//
//     rate=<n>            bytes appended to the output file per step (default 1000)
//     steps=<n>           number of steps (default 10); -1 grows the output for ever
//     interval_ms=<n>     pause between two steps (default 100)
//     nooutput            never create the output file; the steps still take their time
//     exit=<code>         exit code at the end (default 0)
//     signal=<n>          at the end, send itself signal n instead of exiting; its
//                         disposition is left as inherited, and should the signal not
//                         end the process (ignored, blocked), it exits with 99
//     hang                at the end, sleep for ever instead of exiting
//     pidfile=<path>      write its own process id there at the start
//     spawn_child         at the start, fork a child that stays in its process group,
//                         sleeps child_sleep_ms and exits
//     child_sleep_ms=<n>  how long that child lives (default 120000)
//     child_rate=<n>      bytes that child appends to the output file per interval
//                         while it lives (default 0: it only sleeps)
//     child_pidfile=<path>  write that child's process id there
//     wait_for=<path>     at the end, before exit, signal or hang, wait until the file
//                         exists (checked every 10 ms)
//     record=<path>       at the start, append its current directory and each of its
//                         arguments, one a line, then an empty line, to that file, and
//                         copy the job script's bytes to the output file's name with
//                         ".script" appended
//     plan=<path>         read more directives from that file (one a line, as here), so
//                         that a template line "# plan=$FILE" gives each input file a
//                         plan of its own
//     say=<text>          at the start, write the text and a line end to standard output
//     complain=<text>     at the end, write the text and a line end to standard error
//     hang_first=<path>   at the end, when that file is not there yet, create it and hang
//                         instead of exiting: the first job runs into its time-out, the
//                         job started again after it goes on
//
// In order: record, say, pidfile, spawn_child, the steps (the first at once, then one per interval),
// wait_for, complain, then hang_first, signal, hang or exit. The output file is created (emptied) at the
// first step. Pid files are written to a temporary name and renamed, so a pid file is
// complete once it exists. Relative paths are seen from the current directory, the
// working folder. A usage error (arguments missing, script unreadable, output not
// writable) prints one line to stderr and exits with 2.

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

struct Plan {
    long rate = 1000;
    long steps = 10;
    long intervalMs = 100;
    bool output = true;
    int exitCode = 0;
    int signal = 0;
    bool hang = false;
    std::string pidfile;
    bool spawnChild = false;
    long childSleepMs = 120000;
    long childRate = 0;
    std::string childPidfile;
    std::string waitFor;
    std::string record;
    std::string hangFirst;
    std::string say;
    std::string complain;
};

struct Arguments {
    std::string script;
    std::string output;
};

[[noreturn]] void usage(const std::string& message) {
    std::fprintf(stderr, "fakeproc: %s\n", message.c_str());
    std::exit(2);
}

Arguments readArguments(int argc, char** argv) {
    Arguments arguments;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "/p" && i + 2 < argc) {
            arguments.script = argv[i + 1];
            arguments.output = argv[i + 2];
            i += 2;
        } else if (std::string(argv[i]) == "/s") {
            ++i;
        }
    }
    if (arguments.script.empty() || arguments.output.empty())
        usage("expected /p <script> <output>");
    return arguments;
}

void readDirectives(Plan& plan, const std::string& path);

void applyDirective(Plan& plan, const std::string& line) {
    std::string text = line;
    while (!text.empty() && (text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    const auto start = text.find_first_not_of(" \t#");
    if (start == std::string::npos)
        return;
    text = text.substr(start);
    const auto equals = text.find('=');
    const std::string key = text.substr(0, equals);
    const std::string value = equals == std::string::npos ? std::string() : text.substr(equals + 1);
    if (key == "rate")
        plan.rate = std::strtol(value.c_str(), nullptr, 10);
    else if (key == "steps")
        plan.steps = std::strtol(value.c_str(), nullptr, 10);
    else if (key == "interval_ms")
        plan.intervalMs = std::strtol(value.c_str(), nullptr, 10);
    else if (key == "nooutput")
        plan.output = false;
    else if (key == "exit")
        plan.exitCode = static_cast<int>(std::strtol(value.c_str(), nullptr, 10));
    else if (key == "signal")
        plan.signal = static_cast<int>(std::strtol(value.c_str(), nullptr, 10));
    else if (key == "hang")
        plan.hang = true;
    else if (key == "pidfile")
        plan.pidfile = value;
    else if (key == "spawn_child")
        plan.spawnChild = true;
    else if (key == "child_sleep_ms")
        plan.childSleepMs = std::strtol(value.c_str(), nullptr, 10);
    else if (key == "child_rate")
        plan.childRate = std::strtol(value.c_str(), nullptr, 10);
    else if (key == "child_pidfile")
        plan.childPidfile = value;
    else if (key == "wait_for")
        plan.waitFor = value;
    else if (key == "record")
        plan.record = value;
    else if (key == "plan")
        readDirectives(plan, value);
    else if (key == "hang_first")
        plan.hangFirst = value;
    else if (key == "say")
        plan.say = value;
    else if (key == "complain")
        plan.complain = value;
}

void readDirectives(Plan& plan, const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        usage("cannot read " + path);
    std::string line;
    while (std::getline(in, line))
        applyDirective(plan, line);
}

Plan readPlan(const std::string& script) {
    Plan plan;
    readDirectives(plan, script);
    return plan;
}

void recordJob(const std::string& path, int argc, char** argv, const Arguments& arguments) {
    std::vector<char> cwd(4096);
    if (::getcwd(cwd.data(), cwd.size()) == nullptr)
        usage("cannot read the current directory");
    std::ofstream record(path, std::ios::binary | std::ios::app);
    record << cwd.data() << '\n';
    for (int i = 1; i < argc; ++i)
        record << argv[i] << '\n';
    record << '\n';
    std::ifstream script(arguments.script, std::ios::binary);
    std::ofstream copy(arguments.output + ".script", std::ios::binary);
    copy << script.rdbuf();
    if (!record.flush() || !copy.flush())
        usage("cannot record the job in " + path);
}

void sleepMs(long ms) {
    timespec left{ms / 1000, (ms % 1000) * 1000000L};
    while (::nanosleep(&left, &left) == -1 && errno == EINTR) {
    }
}

void writePid(const std::string& path, pid_t pid) {
    const std::string temporary = path + ".part";
    std::ofstream(temporary) << pid << '\n';
    if (std::rename(temporary.c_str(), path.c_str()) != 0)
        usage("cannot write " + path);
}

// The child's life: it sleeps, or appends to the output one block per interval, until
// its time is up.
[[noreturn]] void runChild(const Plan& plan, const std::string& output) {
    if (plan.childRate <= 0 || plan.intervalMs <= 0) {
        sleepMs(plan.childSleepMs);
        ::_exit(0);
    }
    const std::string block(static_cast<std::size_t>(plan.childRate), 'c');
    for (long lived = 0; lived < plan.childSleepMs; lived += plan.intervalMs) {
        if (const int fd = ::open(output.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0666); fd >= 0) {
            (void)!::write(fd, block.data(), block.size());
            ::close(fd);
        }
        sleepMs(plan.intervalMs);
    }
    ::_exit(0);
}

void spawnChild(const Plan& plan, const std::string& output) {
    const pid_t child = ::fork();
    if (child < 0)
        usage("cannot fork");
    if (child == 0)
        runChild(plan, output);
    if (!plan.childPidfile.empty())
        writePid(plan.childPidfile, child);
}

void runSteps(const Plan& plan, const std::string& output) {
    const std::string block(static_cast<std::size_t>(plan.rate > 0 ? plan.rate : 0), 'x');
    int fd = -1;
    for (long step = 0; plan.steps < 0 || step < plan.steps; ++step) {
        if (step > 0)
            sleepMs(plan.intervalMs);
        if (!plan.output)
            continue;
        if (fd < 0 && (fd = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666)) < 0)
            usage("cannot write the output " + output);
        if (::write(fd, block.data(), block.size()) != static_cast<ssize_t>(block.size()))
            usage("cannot write the output " + output);
    }
    if (fd >= 0)
        ::close(fd);
}

void waitForFile(const std::string& path) {
    struct stat info {};
    while (::stat(path.c_str(), &info) != 0)
        sleepMs(10);
}

} // namespace

int main(int argc, char** argv) {
    const Arguments arguments = readArguments(argc, argv);
    const Plan plan = readPlan(arguments.script);
    if (!plan.record.empty())
        recordJob(plan.record, argc, argv, arguments);
    if (!plan.say.empty())
        std::printf("%s\n", plan.say.c_str());
    std::fflush(stdout);
    if (!plan.pidfile.empty())
        writePid(plan.pidfile, ::getpid());
    if (plan.spawnChild)
        spawnChild(plan, arguments.output);
    runSteps(plan, arguments.output);
    if (!plan.waitFor.empty())
        waitForFile(plan.waitFor);
    if (!plan.complain.empty())
        std::fprintf(stderr, "%s\n", plan.complain.c_str());
    struct stat marker {};
    if (!plan.hangFirst.empty() && ::stat(plan.hangFirst.c_str(), &marker) != 0) {
        std::ofstream(plan.hangFirst).flush();
        for (;;)
            sleepMs(1000);
    }
    if (plan.signal != 0) {
        ::kill(::getpid(), plan.signal);
        return 99;
    }
    while (plan.hang)
        sleepMs(1000);
    return plan.exitCode;
}
