// Whole-process figures, taken from outside the measured programs.
//
//   bench_probe startup EXE RUNS
//       Starts "EXE --real" and "EXE --bare" in turn, RUNS times each after one warm-up
//       of each, and prints the start-up row: the medians of process start (just before
//       the spawn) to the first paint that the program reports.
//   bench_probe watch SECONDS SETTLE READY -- COMMAND...
//       Starts COMMAND, waits until it is READY ("window:TITLE": a viewable top-level
//       window of that title on $DISPLAY; "line:PREFIX": a line it prints), lets it
//       settle for SETTLE seconds, then reads /proc over SECONDS and prints
//       "WATCH <% of a core from utime+stime> <% from schedstat> <VmHWM KiB> <private KiB>",
//       the last the pages no other process shares (Private_Clean + Private_Dirty).
//   bench_probe firstline RUNS -- COMMAND...
//       Starts COMMAND RUNS times after one warm-up and prints "FIRSTLINE <ms>": the
//       median of process start (just before the spawn) to the first line it prints.
#include <X11/Xlib.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using SteadyClock = std::chrono::steady_clock;

long long monotonicNs() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

// A started program with its standard output on a pipe; killed and reaped at the end.
class Child {
public:
    explicit Child(const std::vector<std::string>& command) {
        int pipeFds[2];
        if (::pipe2(pipeFds, O_CLOEXEC) != 0)
            throw std::runtime_error("pipe");
        posix_spawn_file_actions_t actions;
        ::posix_spawn_file_actions_init(&actions);
        ::posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
        std::vector<char*> argv;
        for (const std::string& word : command)
            argv.push_back(const_cast<char*>(word.c_str()));
        argv.push_back(nullptr);
        spawnedAt_ = monotonicNs();
        const int rc = ::posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
        ::posix_spawn_file_actions_destroy(&actions);
        ::close(pipeFds[1]);
        output_ = pipeFds[0];
        if (rc != 0)
            throw std::runtime_error("cannot start " + command[0] + ": " + std::strerror(rc));
    }
    ~Child() {
        end();
        ::close(output_);
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    pid_t pid() const { return pid_; }
    long long spawnedAt() const { return spawnedAt_; }

    // The next line that starts with prefix, or "" when none came in time.
    std::string lineStarting(const std::string& prefix, std::chrono::seconds limit) {
        const auto deadline = SteadyClock::now() + limit;
        for (;;) {
            for (auto cut = buffer_.find('\n'); cut != std::string::npos; cut = buffer_.find('\n')) {
                std::string line = buffer_.substr(0, cut);
                buffer_.erase(0, cut + 1);
                if (line.rfind(prefix, 0) == 0)
                    return line;
            }
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now());
            if (left.count() <= 0)
                return {};
            pollfd ready{output_, POLLIN, 0};
            if (::poll(&ready, 1, static_cast<int>(left.count())) <= 0)
                continue;
            char chunk[4096];
            const ssize_t n = ::read(output_, chunk, sizeof chunk);
            if (n <= 0)
                return {};
            buffer_.append(chunk, static_cast<std::size_t>(n));
        }
    }

    void end() {
        if (pid_ <= 0)
            return;
        ::kill(pid_, SIGTERM);
        const auto deadline = SteadyClock::now() + std::chrono::seconds(5);
        int status = 0;
        while (::waitpid(pid_, &status, WNOHANG) == 0) {
            if (SteadyClock::now() > deadline) {
                ::kill(pid_, SIGKILL);
                ::waitpid(pid_, &status, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        pid_ = 0;
    }

private:
    pid_t pid_ = 0;
    int output_ = -1;
    long long spawnedAt_ = 0;
    std::string buffer_;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double firstPaintMs(const std::string& exe, const char* variant) {
    Child child({exe, variant});
    const std::string line = child.lineStarting("painted ", std::chrono::seconds(20));
    if (line.empty())
        throw std::runtime_error(exe + " " + variant + " reported no first paint");
    return static_cast<double>(std::stoll(line.substr(8)) - child.spawnedAt()) / 1e6;
}

int startup(const std::string& exe, int runs) {
    std::vector<double> real;
    std::vector<double> bare;
    firstPaintMs(exe, "--real");
    firstPaintMs(exe, "--bare");
    for (int i = 0; i < runs; ++i) {
        // Each variant goes first in half of the runs.
        if (i % 2 == 0) {
            real.push_back(firstPaintMs(exe, "--real"));
            bare.push_back(firstPaintMs(exe, "--bare"));
        } else {
            bare.push_back(firstPaintMs(exe, "--bare"));
            real.push_back(firstPaintMs(exe, "--real"));
        }
    }
    const double ratio = median(real) / median(bare);
    std::printf(
        "ROW\tstart-up\t%.2f\xc3\x97 (%.1f ms vs %.1f ms, medians of %d)\t\xe2\x89\xa4 1.2\xc3\x97\t%s\n",
        ratio, median(real), median(bare), runs, ratio <= 1.2 ? "PASS" : "MISS");
    return 0;
}

bool hasViewableWindow(Display* display, const std::string& title) {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return false;
    bool found = false;
    for (unsigned i = 0; i < count && !found; ++i) {
        char* name = nullptr;
        if (XFetchName(display, children[i], &name) && name) {
            XWindowAttributes attributes{};
            found = title == name && XGetWindowAttributes(display, children[i], &attributes) &&
                    attributes.map_state == IsViewable;
            XFree(name);
        }
    }
    if (children)
        XFree(children);
    return found;
}

bool awaitWindow(const std::string& title, std::chrono::seconds limit) {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    const auto deadline = SteadyClock::now() + limit;
    bool found = false;
    while (!(found = hasViewableWindow(display, title)) && SteadyClock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    XCloseDisplay(display);
    return found;
}

std::string fileText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// utime + stime of all threads, in seconds.
double statSeconds(pid_t pid) {
    const std::string stat = fileText("/proc/" + std::to_string(pid) + "/stat");
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::vector<std::string> values;
    for (std::string value; fields >> value;)
        values.push_back(value);
    // Field 3 (the state) comes first: utime and stime are fields 14 and 15.
    const double ticks = std::stod(values.at(11)) + std::stod(values.at(12));
    return ticks / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

// The run time of all threads the scheduler counted, in seconds.
double schedSeconds(pid_t pid) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* folder = ::opendir(tasks.c_str());
    if (!folder)
        return 0;
    double total = 0;
    while (const dirent* entry = ::readdir(folder)) {
        if (entry->d_name[0] == '.')
            continue;
        std::istringstream line(fileText(tasks + "/" + entry->d_name + "/schedstat"));
        double ns = 0;
        line >> ns;
        total += ns / 1e9;
    }
    ::closedir(folder);
    return total;
}

long privateKib(pid_t pid) {
    std::istringstream rollup(fileText("/proc/" + std::to_string(pid) + "/smaps_rollup"));
    long total = 0;
    for (std::string line; std::getline(rollup, line);)
        if (line.rfind("Private_Clean:", 0) == 0 || line.rfind("Private_Dirty:", 0) == 0)
            total += std::stol(line.substr(line.find(':') + 1));
    return total;
}

long peakKib(pid_t pid) {
    std::istringstream status(fileText("/proc/" + std::to_string(pid) + "/status"));
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

int watch(int seconds, int settle, const std::string& ready, const std::vector<std::string>& command) {
    Child child(command);
    bool isReady = false;
    if (ready.rfind("window:", 0) == 0)
        isReady = awaitWindow(ready.substr(7), std::chrono::seconds(20));
    else if (ready.rfind("line:", 0) == 0)
        isReady = !child.lineStarting(ready.substr(5), std::chrono::seconds(20)).empty();
    if (!isReady) {
        std::fprintf(stderr, "bench_probe: %s did not become ready (%s)\n", command[0].c_str(),
                     ready.c_str());
        return 1;
    }
    std::printf("READY\n");
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::seconds(settle));
    const auto start = SteadyClock::now();
    const double stat0 = statSeconds(child.pid());
    const double sched0 = schedSeconds(child.pid());
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const double stat1 = statSeconds(child.pid());
    const double sched1 = schedSeconds(child.pid());
    const double wall = std::chrono::duration<double>(SteadyClock::now() - start).count();
    const long peak = peakKib(child.pid());
    const long own = privateKib(child.pid());
    int status = 0;
    if (::waitpid(child.pid(), &status, WNOHANG) != 0) {
        std::fprintf(stderr, "bench_probe: %s ended while it was watched\n", command[0].c_str());
        return 1;
    }
    std::printf("WATCH %.4f %.4f %ld %ld\n", 100 * (stat1 - stat0) / wall, 100 * (sched1 - sched0) / wall,
                peak, own);
    return 0;
}

double firstLineMs(const std::vector<std::string>& command) {
    Child child(command);
    const long long before = child.spawnedAt();
    if (child.lineStarting("", std::chrono::seconds(20)).empty())
        throw std::runtime_error(command[0] + " printed no line");
    return static_cast<double>(monotonicNs() - before) / 1e6;
}

int firstLine(int runs, const std::vector<std::string>& command) {
    std::vector<double> times;
    firstLineMs(command);
    for (int i = 0; i < runs; ++i)
        times.push_back(firstLineMs(command));
    std::printf("FIRSTLINE %.2f\n", median(times));
    return 0;
}

int usage() {
    std::fprintf(stderr, "usage: bench_probe startup EXE RUNS\n"
                         "       bench_probe watch SECONDS SETTLE window:TITLE|line:PREFIX -- COMMAND...\n"
                         "       bench_probe firstline RUNS -- COMMAND...\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 4 && std::strcmp(argv[1], "startup") == 0)
            return startup(argv[2], std::atoi(argv[3]));
        if (argc >= 5 && std::strcmp(argv[1], "firstline") == 0 && std::strcmp(argv[3], "--") == 0)
            return firstLine(std::atoi(argv[2]), std::vector<std::string>(argv + 4, argv + argc));
        if (argc >= 7 && std::strcmp(argv[1], "watch") == 0 && std::strcmp(argv[5], "--") == 0)
            return watch(std::atoi(argv[2]), std::atoi(argv[3]), argv[4],
                         std::vector<std::string>(argv + 6, argv + argc));
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "bench_probe: %s\n", failure.what());
        return 1;
    }
    return usage();
}
