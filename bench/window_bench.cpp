// The figures of the real window on the offscreen platform, each against its bare
// counterpart measured in the same run: the watchdog tick in both modes, appending to
// the log, filling the file list, and the log file's cost per line.
#include "FigureRow.h"
#include "NameList.h"
#include "RealWindow.h"
#include "WorkFolder.h"

#include "log/EventLog.h"
#include "platform/posix/PosixFileSystem.h"

#include <QApplication>
#include <QLabel>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <iostream>
#include <malloc.h>
#include <map>
#include <memory>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quorbin {
namespace {

using SteadyClock = std::chrono::steady_clock;

constexpr int tickFiles = 32767;
constexpr int tickLogLines = 100'000;
constexpr int logAppendLines = 1'000'000;
constexpr int logAppendWindow = 100'000;
constexpr int fillNames = 10'000;
// A line every so often lets the window paint, as the event loop does between lines.
constexpr int linesBetweenPaints = 1000;

double secondsSince(SteadyClock::time_point start) {
    return std::chrono::duration<double>(SteadyClock::now() - start).count();
}

std::size_t heapInUse() {
    const struct mallinfo2 info = ::mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The window watching a batch: the real process backend watches a live child whose
// output the benchmark grows like a running encoder.
class WatchingWindow {
public:
    WatchingWindow() {
        real_.pickFiles(shuffledNames(tickFiles));
        real_.prefillLog(tickLogLines);
        real_.pressStart();
        const BatchState& s = real_.form().state();
        pressed_ = SteadyClock::now();
        modeStartAtPress_ = s.modeStart;
        restartClock();
        output_ = s.outputPath;
        pidfd_ = static_cast<int>(::syscall(SYS_pidfd_open, s.hProcess, 0));
        outputFd_ = ::open(output_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
        grow();
    }
    ~WatchingWindow() {
        ::close(outputFd_);
        ::close(pidfd_);
    }

    bool running() { return real_.form().state().mode == modeRun && pidfd_ >= 0 && outputFd_ >= 0; }
    void grow() {
        static const std::string chunk(512, 'x');
        benchmark::DoNotOptimize(::write(outputFd_, chunk.data(), chunk.size()));
    }
    void tick() { real_.form().timerTimer_Timer(); }
    int logLines() { return real_.front().controls().listLog.count(); }

    // The tick watches the job from the eleventh second on: the start is wound back
    // rather than waited for.
    void restartClock() {
        BatchState& s = real_.form().state();
        const auto sincePress =
            std::chrono::duration_cast<std::chrono::seconds>(SteadyClock::now() - pressed_);
        s.modeStart = modeStartAtPress_ + static_cast<std::int32_t>(sincePress.count()) - 20;
        s.lastGrowth = 20;
    }
    // Between two ticks of the real timer half a second passes, so the elapsed time on
    // the label changes every other tick; the batch's clock is wound on a second every
    // second call, and the time of the last growth with it, so no stall is seen.
    void passHalfSecond() {
        if ((++halfSeconds_ & 1) != 0)
            return;
        BatchState& s = real_.form().state();
        --s.modeStart;
        ++s.lastGrowth;
    }

    // The log file's open, append and close, as the core does them for every line.
    void bareLogLine() {
        static const std::string line = "12:00:00 (00:01:23) FILE size:1234567890\r\n";
        const int fd = ::open(logFileName, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
        benchmark::DoNotOptimize(::write(fd, line.data(), line.size()));
        ::close(fd);
    }

    void bareCalls() {
        struct stat info {};
        benchmark::DoNotOptimize(::stat(output_.c_str(), &info));
        benchmark::DoNotOptimize(info.st_size);
        siginfo_t child{};
        benchmark::DoNotOptimize(::waitid(P_PIDFD, static_cast<id_t>(pidfd_), &child, WEXITED | WNOHANG));
    }

private:
    WorkFolder folder_;
    RealWindow real_{folder_, QUORBIN_BENCH_SLEEPER};
    std::string output_;
    int pidfd_ = -1;
    int outputFd_ = -1;
    long long halfSeconds_ = 0;
    SteadyClock::time_point pressed_;
    std::int32_t modeStartAtPress_ = 0;
};

// The same window with the same lists, no batch started.
class IdleWindow {
public:
    IdleWindow() {
        real_.pickFiles(shuffledNames(tickFiles));
        real_.prefillLog(tickLogLines);
        bare_.resize(200, 50);
        bare_.show();
        RealWindow::settle();
    }

    bool idle() { return real_.form().state().mode == modeIdle; }
    void tick() { real_.form().timerTimer_Timer(); }

    // The clock read and the label update of an idle tick.
    // The batch is timed by the steady clock, so that is the one clock read an idle
    // tick needs.
    void bareTick() {
        timespec now{};
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        benchmark::DoNotOptimize(now);
        label_.setText(QString());
    }

private:
    WorkFolder folder_;
    RealWindow real_{folder_, QUORBIN_BENCH_SLEEPER};
    QWidget bare_;
    QLabel label_{&bare_};
};

class FillWindow;

struct Fixtures {
    std::unique_ptr<WatchingWindow> watching;
    std::unique_ptr<IdleWindow> idle;
    std::unique_ptr<FillWindow> fill;
    ~Fixtures();

    WatchingWindow& watchingWindow() {
        if (!watching)
            watching = std::make_unique<WatchingWindow>();
        return *watching;
    }
    IdleWindow& idleWindow() {
        if (!idle)
            idle = std::make_unique<IdleWindow>();
        return *idle;
    }
};

Fixtures* fixtures = nullptr;

// A tick of mode 1 is timed on its own, without what happens between two ticks: the
// time that passes, the output that grows, the event loop that paints. The idle ticks
// leave nothing to do between them, so Google Benchmark times them in bulk.
template <typename Grow, typename Body> void timeAfter(benchmark::State& state, Grow grow, Body body) {
    int done = 0;
    for (auto _ : state) {
        grow();
        const auto start = SteadyClock::now();
        body();
        state.SetIterationTime(secondsSince(start));
        if (++done % 64 == 0)
            RealWindow::settle();
    }
}

// Every tick as in the real run, half a second after the one before; the bare calls
// are timed alike.
void BM_TickMode1(benchmark::State& state) {
    WatchingWindow& w = fixtures->watchingWindow();
    w.restartClock();
    timeAfter(
        state, [&] { w.passHalfSecond(); }, [&] { w.tick(); });
    if (!w.running())
        state.SkipWithError("the job is no longer watched");
}

void BM_BareMode1(benchmark::State& state) {
    WatchingWindow& w = fixtures->watchingWindow();
    timeAfter(
        state, [] {}, [&] { w.bareCalls(); });
}

void BM_TickMode1Grown(benchmark::State& state) {
    WatchingWindow& w = fixtures->watchingWindow();
    w.restartClock();
    const int before = w.logLines();
    timeAfter(
        state,
        [&] {
            w.passHalfSecond();
            w.grow();
        },
        [&] { w.tick(); });
    if (!w.running() || w.logLines() - before != static_cast<int>(state.iterations()))
        state.SkipWithError("the tick did not log the growing output of a running job");
}

void BM_BareMode1Grown(benchmark::State& state) {
    WatchingWindow& w = fixtures->watchingWindow();
    timeAfter(
        state, [&] { w.grow(); }, [&] { w.bareCalls(); });
}

void BM_BareMode1GrownLogged(benchmark::State& state) {
    WatchingWindow& w = fixtures->watchingWindow();
    timeAfter(
        state, [&] { w.grow(); },
        [&] {
            w.bareCalls();
            w.bareLogLine();
        });
}

void BM_TickMode0(benchmark::State& state) {
    IdleWindow& w = fixtures->idleWindow();
    for (auto _ : state)
        w.tick();
    if (!w.idle())
        state.SkipWithError("the window left mode 0");
}

void BM_BareMode0(benchmark::State& state) {
    IdleWindow& w = fixtures->idleWindow();
    for (auto _ : state)
        w.bareTick();
}

BENCHMARK(BM_TickMode1)->UseManualTime()->Repetitions(5);
BENCHMARK(BM_BareMode1)->UseManualTime()->Repetitions(5);
BENCHMARK(BM_TickMode1Grown)->UseManualTime()->Repetitions(5);
BENCHMARK(BM_BareMode1Grown)->UseManualTime()->Repetitions(5);
BENCHMARK(BM_BareMode1GrownLogged)->UseManualTime()->Repetitions(5);
BENCHMARK(BM_TickMode0)->Repetitions(5);
BENCHMARK(BM_BareMode0)->Repetitions(5);

// A real window with an event log of its own, and what its logLine calls cost.
class LoggedWindow {
public:
    struct Span {
        int lines = 0;
        double seconds = 0;
        double mean() const { return lines > 0 ? seconds / lines : 0; }
    };

    LoggedWindow() : form_(real_.front().controls(), real_.services()), log_(form_) {}

    int count() { return real_.front().controls().listLog.count(); }
    bool quiet() const { return real_.messages().shown().empty(); }

    // One logged line; every so often the window is painted, as the event loop would
    // paint it, and that paint counts with the line.
    double logLine(const std::string& message) {
        const auto start = SteadyClock::now();
        log_.logLine(message);
        const bool paint = count() % linesBetweenPaints == 0;
        if (paint)
            real_.window().repaint();
        const double seconds = secondsSince(start);
        // What the paint left queued for the event loop, untimed.
        if (paint)
            RealWindow::settle();
        return seconds;
    }

    Span logUntil(int lines, SteadyClock::time_point deadline, long long& sequence) {
        Span span;
        while (count() < lines && SteadyClock::now() < deadline) {
            span.seconds += logLine(message(++sequence));
            ++span.lines;
        }
        return span;
    }

    // Where logging is too slow to get there in time, straight into the model.
    void fillUntil(int lines, long long& sequence) {
        while (count() < lines)
            real_.window().logLines().append("12:00:00 (00:00:00) " + message(++sequence));
    }

    std::size_t textBytes() {
        const LogLineModel& model = real_.window().logLines();
        std::size_t bytes = 0;
        for (int row = 0; row < model.rowCount(); ++row)
            bytes += model.line(row).size();
        return bytes;
    }

    static std::string message(long long sequence) {
        return "FILE size:" + std::to_string(1'000'000 + 4096LL * sequence);
    }

private:
    WorkFolder folder_;
    RealWindow real_{folder_, QUORBIN_BENCH_SLEEPER};
    Form form_;
    EventLog log_;
};

// The first 100,000 lines of a log against the last 100,000 of a million, side by side:
// one window's log is brought to 900,000 lines by logLine, then a line goes to a window
// with an empty log and one to the full one, in turn, 100,000 times each, so that both
// sides see the same machine at the same moments. Where logging is too slow for that,
// the rest is filled straight into the model and only what fitted in time is compared:
// the ratio then understates the growth.
class LogAppendRun {
public:
    void run(benchmark::State& state) {
        const std::size_t heapBefore = heapInUse();
        const auto started = SteadyClock::now();
        long long sequence = 0;
        old_.logUntil(logAppendLines - logAppendWindow, started + std::chrono::seconds(60), sequence);
        const bool filledByLogging = old_.count() == logAppendLines - logAppendWindow;
        old_.fillUntil(logAppendLines - logAppendWindow, sequence);
        const auto deadline = SteadyClock::now() + std::chrono::seconds(20);
        LoggedWindow::Span first;
        LoggedWindow::Span last;
        while (first.lines < logAppendWindow && SteadyClock::now() < deadline) {
            first.seconds += young_.logLine(LoggedWindow::message(++sequence));
            ++first.lines;
            last.seconds += old_.logLine(LoggedWindow::message(++sequence));
            ++last.lines;
        }
        old_.fillUntil(logAppendLines, sequence);
        const double heapGrowth = static_cast<double>(heapInUse()) - static_cast<double>(heapBefore);
        const double text = static_cast<double>(young_.textBytes() + old_.textBytes());
        const double perLine = (heapGrowth - text) / (young_.count() + old_.count());

        state.counters["first_mean"] = first.mean();
        state.counters["last_mean"] = last.mean();
        state.counters["bytes_per_line"] = perLine;
        state.counters["sampled"] = !filledByLogging || first.lines < logAppendWindow ? 1 : 0;
        state.counters["first_lines"] = first.lines;
        state.counters["last_lines"] = last.lines;
        if (!young_.quiet() || !old_.quiet())
            state.SkipWithError("the window showed a message");
    }

private:
    LoggedWindow young_;
    LoggedWindow old_;
};

void BM_LogAppend(benchmark::State& state) {
    for (auto _ : state) {
        LogAppendRun run;
        run.run(state);
    }
}
BENCHMARK(BM_LogAppend)->Iterations(1)->Unit(benchmark::kSecond);

// The core's fill of the list after a pick: clear, each name sorted in, every entry
// marked, the first made current; then the window lays out and paints.
class FillWindow {
public:
    FillWindow() : names_(shuffledNames(fillNames, 7)) {}

    void fill() {
        ListBox& list = real_.front().controls().listFiles;
        list.clear();
        for (const std::string& name : names_)
            list.addSorted(name);
        for (int i = 0; i < list.count(); ++i)
            list.setSelected(i, true);
        list.setCurrentIndex(0);
        RealWindow::settle();
    }

    bool filledRight() {
        std::vector<std::string> sorted = names_;
        std::stable_sort(sorted.begin(), sorted.end(), lessIgnoringCase);
        ListBox& list = real_.front().controls().listFiles;
        if (list.count() != fillNames || list.currentIndex() != 0)
            return false;
        for (int i = 0; i < list.count(); ++i)
            if (list.entryText(i) != sorted[static_cast<std::size_t>(i)] || !list.isSelected(i))
                return false;
        return true;
    }

    const std::vector<std::string>& names() const { return names_; }

private:
    WorkFolder folder_;
    RealWindow real_{folder_, QUORBIN_BENCH_SLEEPER};
    std::vector<std::string> names_;
};

Fixtures::~Fixtures() = default;

void BM_FileListFill(benchmark::State& state) {
    if (!fixtures->fill)
        fixtures->fill = std::make_unique<FillWindow>();
    FillWindow* window = fixtures->fill.get();
    for (auto _ : state)
        window->fill();
    if (!window->filledRight())
        state.SkipWithError("the list is not sorted, marked and current as the core left it");
}

void BM_VectorSort(benchmark::State& state) {
    const std::vector<std::string> names = shuffledNames(fillNames, 7);
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::string> copy = names;
        state.ResumeTiming();
        std::stable_sort(copy.begin(), copy.end(), lessIgnoringCase);
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(BM_FileListFill)->Repetitions(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VectorSort)->Repetitions(5)->Unit(benchmark::kMillisecond);

// The log file is opened, appended to and closed for every line, on purpose.
const std::string logFileLine = "12:00:00 (00:01:23) FILE size:1234567890\r\n";

void BM_LogFileAppend(benchmark::State& state) {
    WorkFolder folder;
    const std::string path = folder.path() + "/" + logFileName;
    PosixFileSystem files;
    for (auto _ : state)
        benchmark::DoNotOptimize(files.append(path, logFileLine));
}

void BM_LogFileBare(benchmark::State& state) {
    WorkFolder folder;
    const std::string path = folder.path() + "/" + logFileName;
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
        benchmark::DoNotOptimize(::write(fd, logFileLine.data(), logFileLine.size()));
        ::close(fd);
    }
}
BENCHMARK(BM_LogFileAppend)->Repetitions(3);
BENCHMARK(BM_LogFileBare)->Repetitions(3);

// Keeps every repetition of every benchmark for the table, and shows Google
// Benchmark's own report on the error stream.
class Collector : public benchmark::ConsoleReporter {
public:
    struct Result {
        std::vector<double> seconds; // per iteration, one per repetition
        std::map<std::string, double> counters;
        bool failed = false;
    };

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration)
                continue;
            Result& result = results_[run.run_name.function_name];
            result.failed = result.failed || run.error_occurred;
            if (run.iterations > 0)
                result.seconds.push_back(run.real_accumulated_time / static_cast<double>(run.iterations));
            for (const auto& [name, counter] : run.counters)
                result.counters[name] = counter.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    bool has(const std::string& name) const {
        const auto it = results_.find(name);
        return it != results_.end() && !it->second.failed && !it->second.seconds.empty();
    }
    double median(const std::string& name) const {
        std::vector<double> values = results_.at(name).seconds;
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    }
    double counter(const std::string& name, const std::string& key) const {
        return results_.at(name).counters.at(key);
    }

private:
    std::map<std::string, Result> results_;
};

void reportRatio(const Collector& c, const std::string& figure, const std::string& subject,
                 const std::string& bare, double goal, const std::string& goalText) {
    if (!c.has(subject) || !c.has(bare)) {
        printRow(figure, "not measured", goalText, false);
        return;
    }
    const double ratio = c.median(subject) / c.median(bare);
    printRow(figure,
             ratioText(ratio) + " (" + durationText(c.median(subject)) + " vs " +
                 durationText(c.median(bare)) + ")",
             goalText, ratio <= goal);
}

void reportTable(const Collector& c) {
    const std::string three = "\xe2\x89\xa4 3\xc3\x97";
    reportRatio(c, "tick cost, mode 1", "BM_TickMode1", "BM_BareMode1", 3, three);
    reportRatio(c, "tick cost, mode 1, output grew", "BM_TickMode1Grown", "BM_BareMode1GrownLogged", 3,
                three);
    reportRatio(c, "tick cost, mode 0", "BM_TickMode0", "BM_BareMode0", 2, "\xe2\x89\xa4 2\xc3\x97");
    if (c.has("BM_TickMode1Grown") && c.has("BM_BareMode1Grown") && c.has("BM_BareMode1GrownLogged"))
        printNote(
            "a tick after the output grew logs a line; against the length query and the exit poll alone it "
            "costs " +
            ratioText(c.median("BM_TickMode1Grown") / c.median("BM_BareMode1Grown")) + " (" +
            durationText(c.median("BM_TickMode1Grown")) + " vs " +
            durationText(c.median("BM_BareMode1Grown")) + "), of which the log file's open/append/close is " +
            durationText(c.median("BM_BareMode1GrownLogged") - c.median("BM_BareMode1Grown")));

    const std::string logGoal = "\xe2\x89\xa4 1.5\xc3\x97; \xe2\x89\xa4 64 B/line";
    if (c.has("BM_LogAppend")) {
        const double first = c.counter("BM_LogAppend", "first_mean");
        const double last = c.counter("BM_LogAppend", "last_mean");
        const double bytes = c.counter("BM_LogAppend", "bytes_per_line");
        const bool sampled = c.counter("BM_LogAppend", "sampled") != 0;
        const double ratio = last / first;
        std::string measured =
            ratioText(ratio) + " (" + durationText(last) + " vs " + durationText(first) + ")";
        if (sampled)
            measured +=
                " sampled: " + std::to_string(static_cast<int>(c.counter("BM_LogAppend", "last_lines"))) +
                " lines of each in time";
        char bytesText[32];
        std::snprintf(bytesText, sizeof bytesText, "; %.0f B/line", bytes);
        printRow("log append", measured + bytesText, logGoal, !sampled && ratio <= 1.5 && bytes <= 64);
    } else {
        printRow("log append", "not measured", logGoal, false);
    }

    const std::string fillGoal = "\xe2\x89\xa4 5\xc3\x97 and < 100 ms";
    if (c.has("BM_FileListFill") && c.has("BM_VectorSort")) {
        const double fill = c.median("BM_FileListFill");
        const double sort = c.median("BM_VectorSort");
        printRow("file list fill",
                 ratioText(fill / sort) + " (" + durationText(fill) + " vs " + durationText(sort) + ")",
                 fillGoal, fill / sort <= 5 && fill < 0.1);
    } else {
        printRow("file list fill", "not measured", fillGoal, false);
    }

    if (c.has("BM_LogFileAppend") && c.has("BM_LogFileBare"))
        printNote("the log file's open/append/close costs " + durationText(c.median("BM_LogFileAppend")) +
                  " a line through the file backend (" + durationText(c.median("BM_LogFileBare")) +
                  " as bare system calls); it is kept per line on purpose");
}

} // namespace
} // namespace quorbin

int main(int argc, char** argv) {
    using namespace quorbin;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The pairs of each figure run in a shuffled order, repetition by repetition.
    std::vector<char*> arguments(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    arguments.insert(arguments.begin() + 1, interleave.data());
    int count = static_cast<int>(arguments.size());
    QApplication app(count, arguments.data());
    benchmark::Initialize(&count, arguments.data());
    Fixtures all;
    fixtures = &all;
    Collector collector;
    collector.SetOutputStream(&std::cerr);
    collector.SetErrorStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();
    reportTable(collector);
    return 0;
}
