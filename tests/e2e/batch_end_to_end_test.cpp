#include "e2e/CurrentDirectoryGuard.h"
#include "e2e/RealBackendForm.h"
#include "helpers/TempDir.h"
#include "helpers/WaitUntil.h"
#include "posix/ProcFs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

using namespace quorbin;
using namespace quorbin::test;

namespace {

namespace fs = std::filesystem;

// A job that writes its whole output, then holds until the test creates the file named
// after its input with ".go" appended, and exits 0. The hold lets a tick see the output
// complete while the process still runs, and the exit on a later tick.
const std::string finishingTemplate = "# wait_for=$FILE.go\n"
                                      "# pidfile=job.pid\n"
                                      "# steps=5\n"
                                      "# interval_ms=300\n"
                                      "# rate=1000\n"
                                      "# exit=0";
constexpr std::uintmax_t finishedSize = 5000;

// A job that writes a little output and then hangs until it is killed.
const std::string hangingTemplate = "AVISource(\"$FILE\")\n"
                                    "# pidfile=job.pid\n"
                                    "# steps=2\n"
                                    "# interval_ms=100\n"
                                    "# rate=700\n"
                                    "# hang";
constexpr std::uintmax_t hungSize = 1400;

// A job that starts a worker and exits at once, its output written; the worker stays in
// its group and appends to that output until it is killed.
const std::string leavingTemplate = "# spawn_child\n"
                                    "# child_rate=100\n"
                                    "# child_pidfile=worker.pid\n"
                                    "# steps=1\n"
                                    "# exit=0";

std::optional<std::uintmax_t> sizeOf(const std::string& path) {
    std::error_code error;
    const auto size = fs::file_size(path, error);
    if (error)
        return std::nullopt;
    return size;
}

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The process id a job wrote to its pid file, or 0 while there is none.
pid_t pidIn(const std::string& path) {
    std::istringstream text(readText(path));
    pid_t pid = 0;
    text >> pid;
    return pid;
}

void touch(const std::string& path) {
    std::ofstream created(path);
}

// Ended and collected: its id names no process at all, not even a zombie.
bool processReaped(pid_t pid) {
    return ::kill(pid, 0) == -1 && errno == ESRCH;
}

std::string joinedWithCrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// The two lines of one launch, for a working folder `dir` ending in "/" and no
// settings file chosen.
std::vector<std::string> launchLines(const std::string& dir, const std::string& input,
                                     const std::string& output, pid_t pid) {
    const std::string commandLine =
        " /c /s \"\"  /p \"" + dir + "quorbin.avs\" \"" + dir + output + "\" /r /x";
    return {std::string(FAKEPROC_PATH) + " " + commandLine,
            "RUN process:" + std::to_string(pid) + " file:" + input};
}

std::string killLine(pid_t pid, int result) {
    return "KILL process:" + std::to_string(pid) + " result:" + std::to_string(result);
}

void append(std::vector<std::string>& lines, const std::vector<std::string>& more) {
    lines.insert(lines.end(), more.begin(), more.end());
}

// Three real input files in a fresh folder, picked through the dialog, with the fake
// processing program as the program to run.
class BatchOverRealProcesses : public ::testing::Test {
protected:
    void SetUp() override {
        dir = folder.path().string() + "/";
        for (const char* name : {"a.avi", "B.avi", "c.avi"})
            std::ofstream(folder.file(name)) << "input " << name;
        f.t.start();
        f.t.boxExe.type(FAKEPROC_PATH);
        // The dialog hands the files over in an order of its own; the list sorts them.
        f.t.dialog.choose({dir + "c.avi", dir + "a.avi", dir + "B.avi"});
        f.t.buttonSelectAvi.click();
        ASSERT_EQ(f.state().aviPath, dir);
        ASSERT_TRUE(fs::equivalent(fs::current_path(), folder.path()));
        messagesBefore = f.t.messages.shown.size();
    }

    std::string lineOf(const std::string& message) const {
        const auto messages = f.t.messagesLogged();
        for (std::size_t i = 0; i < messages.size(); ++i)
            if (messages[i] == message)
                return f.t.listLog.lines[i];
        return {};
    }

    TempDir folder;
    CurrentDirectoryGuard previousDirectory;
    RealBackendForm f;
    std::string dir;
    std::size_t messagesBefore = 0;
};

TEST_F(BatchOverRealProcesses, runsEverySelectedFileToTheEndAndLogsEachStep) {
    f.t.boxTemplate.type(finishingTemplate);
    f.t.buttonStart.click();

    // The fake clock does the batch's waiting; the test waits for the real jobs only
    // before the ticks whose decision depends on how far they have come.
    std::vector<pid_t> pids;
    for (int ticks = 0; ticks < 1000 && f.state().mode != modeIdle; ++ticks) {
        if (f.state().mode == modeRun && f.nextTickDecides()) {
            if (f.state().lastSize == 0) {
                const std::string output = f.state().outputPath;
                ASSERT_TRUE(waitUntil([&] { return sizeOf(output) == finishedSize; })) << output;
                pids.push_back(pidIn(dir + "job.pid"));
                ASSERT_GT(pids.back(), 0);
            } else {
                touch(dir + f.state().currentFile + ".go");
                const pid_t pid = pids.back();
                ASSERT_TRUE(waitUntil([&] { return processGone(pid); })) << pid;
            }
        }
        f.t.tick();
    }
    ASSERT_EQ(f.state().mode, modeIdle);
    ASSERT_EQ(pids.size(), 3u);

    std::vector<std::string> expected{"START"};
    const std::vector<std::pair<std::string, std::string>> jobs{
        {"a.avi", "aP.avi"}, {"B.avi", "BP.avi"}, {"c.avi", "cP.avi"}};
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        append(expected, launchLines(dir, jobs[i].first, jobs[i].second, pids[i]));
        append(expected, {"FILE size:5000", "EXIT code:0", "DONE"});
        if (i + 1 == jobs.size())
            expected.push_back("COMPLETE all files processed");
        expected.push_back(killLine(pids[i], 0));
    }
    append(expected, {"COMPLETE all files processed", "IDLE"});
    EXPECT_EQ(f.t.messagesLogged(), expected);

    for (const auto& [input, output] : jobs)
        EXPECT_EQ(sizeOf(dir + output), finishedSize) << output;
    std::string lastScript = finishingTemplate;
    lastScript.replace(lastScript.find("$FILE"), 5, dir + "c.avi");
    EXPECT_EQ(readText(dir + "quorbin.avs"), lastScript + "\r\n");
    EXPECT_EQ(readText(dir + "quorbin.log"), joinedWithCrLf(f.t.listLog.lines));

    // Every job was collected once it had ended, and the last handle outlives the batch.
    for (pid_t pid : pids)
        EXPECT_TRUE(processReaped(pid)) << pid;
    EXPECT_EQ(f.state().hProcess, pids.back());
    EXPECT_EQ(f.t.messages.shown.size(), messagesBefore);
}

TEST_F(BatchOverRealProcesses, killsAJobAtItsTimeOutAndStartsTheSameFileAgain) {
    f.t.boxTemplate.type(hangingTemplate);
    f.t.BoxTimeout.type("0.5");
    const std::string output = dir + "aP.avi";
    f.t.buttonStart.click();
    f.runToDecision();
    ASSERT_TRUE(waitUntil([&] { return sizeOf(output) == hungSize; }));
    const pid_t first = pidIn(dir + "job.pid");
    ASSERT_GT(first, 0);

    ASSERT_TRUE(f.tickUntilLogged("TIMEOUT", 0, 100));
    // Half a minute is 30 seconds: the time-out comes at the first watched tick above.
    EXPECT_EQ(TestForm::elapsedOf(lineOf("TIMEOUT")), "00:00:31");
    EXPECT_TRUE(processReaped(first));

    ASSERT_TRUE(f.tickUntilMode(modeRun, 30));
    const pid_t second = f.state().hProcess;
    EXPECT_NE(second, first);
    // The relaunched job is a real process of that id, working in the working folder.
    ASSERT_TRUE(waitUntil([&] { return pidIn(dir + "job.pid") == second; }));
    EXPECT_TRUE(processRunning(second));

    f.t.buttonAbort.click();
    EXPECT_TRUE(processReaped(second));
    const std::size_t linesAtAbort = f.t.listLog.lines.size();
    f.t.run(10);
    EXPECT_EQ(f.t.listLog.lines.size(), linesAtAbort);
    ASSERT_TRUE(f.tickUntilMode(modeIdle, 2));

    std::vector<std::string> expected{"START"};
    append(expected, launchLines(dir, "a.avi", "aP.avi", first));
    append(expected, {"FILE size:1400", "TIMEOUT", killLine(first, 1)});
    append(expected, launchLines(dir, "a.avi", "aP.avi", second));
    append(expected, {"ABORT", killLine(second, 1), "IDLE"});
    EXPECT_EQ(f.t.messagesLogged(), expected);
    EXPECT_EQ(readText(dir + "quorbin.log"), joinedWithCrLf(f.t.listLog.lines));
    EXPECT_EQ(f.t.messages.shown.size(), messagesBefore);
}

TEST_F(BatchOverRealProcesses, startEndsAJobThatStopLeftRunningBeforeItLaunches) {
    f.t.boxTemplate.type(hangingTemplate);
    const std::string output = dir + "aP.avi";
    f.t.buttonStart.click();
    f.runToDecision();
    ASSERT_TRUE(waitUntil([&] { return sizeOf(output) == hungSize; }));
    const pid_t first = pidIn(dir + "job.pid");
    ASSERT_GT(first, 0);
    f.t.tick();

    f.t.buttonStop.click();
    const std::size_t linesAtStop = f.t.listLog.lines.size();
    f.t.run(15);
    // Stopped: the job runs on, unwatched.
    EXPECT_EQ(f.t.listLog.lines.size(), linesAtStop);
    EXPECT_TRUE(processRunning(first));

    f.t.buttonStart.click();
    EXPECT_TRUE(processReaped(first));
    const pid_t second = f.state().hProcess;
    EXPECT_NE(second, first);
    ASSERT_TRUE(waitUntil([&] { return pidIn(dir + "job.pid") == second; }));
    EXPECT_TRUE(processRunning(second));

    f.t.buttonAbort.click();
    EXPECT_TRUE(processReaped(second));
    ASSERT_TRUE(f.tickUntilMode(modeIdle, 23));

    std::vector<std::string> expected{"START"};
    append(expected, launchLines(dir, "a.avi", "aP.avi", first));
    append(expected, {"FILE size:1400", "STOP", "IDLE", "START", killLine(first, 1)});
    append(expected, launchLines(dir, "a.avi", "aP.avi", second));
    append(expected, {"ABORT", killLine(second, 1), "IDLE"});
    EXPECT_EQ(f.t.messagesLogged(), expected);
    EXPECT_EQ(f.t.messages.shown.size(), messagesBefore);
}

// Every job ends at once but leaves a worker writing: by the end of the batch nothing of
// any job runs, and no ended job waits to be collected.
TEST_F(BatchOverRealProcesses, jobsThatLeaveAWorkerBehindLeaveNothingRunning) {
    f.t.boxTemplate.type(leavingTemplate);
    f.t.buttonStart.click();
    std::vector<pid_t> jobs;
    for (int ticks = 0; ticks < 1000 && f.state().mode != modeIdle; ++ticks) {
        const pid_t job = f.state().hProcess;
        if (f.state().mode == modeRun && f.nextTickDecides() && (jobs.empty() || jobs.back() != job)) {
            // Ended, kept unreaped, with its worker writing on in its group.
            ASSERT_TRUE(waitUntil([&] {
                const pid_t worker = pidIn(dir + "worker.pid");
                return processState(job) == 'Z' && worker > 0 && procStat(worker).group == job &&
                       processRunning(worker);
            })) << job;
            jobs.push_back(job);
        }
        f.t.tick();
    }
    ASSERT_EQ(f.state().mode, modeIdle);
    ASSERT_EQ(jobs.size(), 3u);

    EXPECT_TRUE(waitUntil([&] {
        const std::set<pid_t> running = runningGroups();
        return std::none_of(jobs.begin(), jobs.end(), [&](pid_t group) { return running.count(group) > 0; });
    }));
    EXPECT_EQ(zombieChildrenOf(::getpid()), 0);
    const auto messages = f.t.messagesLogged();
    for (pid_t job : jobs)
        EXPECT_EQ(std::count(messages.begin(), messages.end(), killLine(job, 0)), 1) << job;
    EXPECT_EQ(f.t.messages.shown.size(), messagesBefore);
}

} // namespace
