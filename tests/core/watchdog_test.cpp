#include "fakes/TestForm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

using namespace quorbin;
using namespace quorbin::test;

namespace {

using Lines = std::vector<std::string>;

const std::string folder = "/work/clips/";
const std::string exe = "/opt/proc/run";
const std::string vcf = "/work/job.vcf";
const std::string outA = "/work/clips/aP.avi";
const std::string outB = "/work/clips/bP.avi";
const std::string outC = "/work/clips/cP.avi";

// The line the launcher logs before starting the program for `output`: the program,
// one blank, then the command line, which itself begins with a blank.
std::string programLine(const std::string& output) {
    return exe + "  /c /s \"" + vcf + "\"  /p \"" + folder + "quorbin.avs\" \"" + output + "\" /r /x";
}

// A window at noon with the template, the program, the settings file, the time-out and
// the input files in place, all selected, after its first tick.
void arrange(TestForm& t, const std::vector<std::string>& names, const std::string& timeout = "60") {
    t.clock.set(12, 0, 0);
    t.settings.values[{"file", "avsPath"}] = "/work/job.avs";
    t.files.files["/work/job.avs"] = "Source(\"$FILE\")\r\n";
    t.start();
    std::vector<int> all;
    for (int i = 0; i < static_cast<int>(names.size()); ++i)
        all.push_back(i);
    t.useFiles(folder, names, all);
    t.boxExe.setText(exe);
    t.boxVcf.setText(vcf);
    t.BoxTimeout.setText(timeout);
    t.tick();
}

void writeOutput(TestForm& t, const std::string& path, std::size_t bytes) {
    t.files.files[path] = std::string(bytes, 'v');
}

// The log lines from `from` on, as "(elapsed) message": the time of day is left out.
Lines linesSince(const TestForm& t, std::size_t from) {
    Lines lines;
    for (std::size_t i = from; i < t.listLog.lines.size(); ++i)
        lines.push_back(t.listLog.lines[i].substr(9));
    return lines;
}

// Whole seconds as the log's "hh:mm:ss".
std::string hms(int seconds) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

std::size_t mark(const TestForm& t) {
    return t.listLog.lines.size();
}

int nextTickElapsed(TestForm& t) {
    return static_cast<int>(std::floor(t.clock.timerSeconds() + 0.5)) - t.state().modeStart;
}

// Ticks until the next tick is the first one to reach `elapsed` in the current mode,
// so what the test arranges next is first seen at exactly that elapsed time. No mode
// change is expected on the way.
void runUpTo(TestForm& t, int elapsed) {
    const BatchMode mode = t.state().mode;
    for (int guard = 0; guard < 100000 && nextTickElapsed(t) < elapsed; ++guard) {
        t.tick();
        if (t.state().mode != mode) {
            ADD_FAILURE() << "mode " << mode << " left for " << t.state().mode << " at elapsed "
                          << t.state().elapsed << " before " << elapsed;
            return;
        }
    }
}

// The first tick at `elapsed`.
void tickAt(TestForm& t, int elapsed) {
    runUpTo(t, elapsed);
    t.tick();
}

} // namespace

TEST(WatchdogBatch, ThreeFilesRunFromStartToIdleLineByLine) {
    TestForm t;
    arrange(t, {"a.avi", "b.avi", "c.avi"});
    const std::size_t from = mark(t);
    t.buttonStart.click();

    // a.avi grows and then exits: its last size and its exit come in the same tick.
    runUpTo(t, 5);
    writeOutput(t, outA, 1000);
    tickAt(t, 11);
    runUpTo(t, 20);
    writeOutput(t, outA, 5000);
    t.tick();
    runUpTo(t, 30);
    writeOutput(t, outA, 8000);
    t.processes.exit(4001, 0);
    t.tick();
    EXPECT_EQ(t.state().mode, modeDone);
    EXPECT_EQ(t.state().currentFile, "b.avi");
    EXPECT_EQ(t.state().outputPath, outB);
    EXPECT_NE(t.boxCmdLine.text().find(outB), std::string::npos);
    tickAt(t, 11);
    tickAt(t, 11);

    // b.avi stops growing and keeps running: the stall ends it and its kill succeeds.
    writeOutput(t, outB, 2000);
    tickAt(t, 11);
    tickAt(t, 312);
    tickAt(t, 11);
    tickAt(t, 11);

    // c.avi, the last one, exits.
    writeOutput(t, outC, 700);
    t.processes.exit(4003, 0);
    tickAt(t, 11);
    tickAt(t, 11);
    tickAt(t, 11);

    const Lines expected{
        "(12:00:00) START",
        "(00:00:00) " + programLine(outA),
        "(00:00:00) RUN process:4001 file:a.avi",
        "(00:00:11) FILE size:1000",
        "(00:00:20) FILE size:5000",
        "(00:00:30) FILE size:8000",
        "(00:00:30) EXIT code:0",
        "(00:00:00) DONE",
        "(00:00:00) KILL process:4001 result:0",
        "(00:00:00) " + programLine(outB),
        "(00:00:00) RUN process:4002 file:b.avi",
        "(00:00:11) FILE size:2000",
        "(00:05:12) SIZE TIMEOUT",
        "(00:00:00) DONE",
        "(00:00:00) KILL process:4002 result:1",
        "(00:00:00) " + programLine(outC),
        "(00:00:00) RUN process:4003 file:c.avi",
        "(00:00:11) FILE size:700",
        "(00:00:11) EXIT code:0",
        "(00:00:00) DONE",
        "(00:00:00) COMPLETE all files processed",
        "(00:00:00) KILL process:4003 result:0",
        "(00:00:11) COMPLETE all files processed",
        "(00:00:00) IDLE",
    };
    EXPECT_EQ(linesSince(t, from), expected);
    EXPECT_EQ(t.state().mode, modeIdle);
    EXPECT_EQ(t.state().hProcess, 4003);
    EXPECT_TRUE(t.messages.shown.empty());
    // The log file holds the same lines as the list.
    std::string file;
    for (const auto& line : t.listLog.lines)
        file += line + "\r\n";
    EXPECT_EQ(t.files.read(folder + "quorbin.log"), file);
}

TEST(WatchdogExit, AnyExitCodeFinishesTheJobAndPreparesTheNextFile) {
    const struct {
        std::uint32_t code;
        const char* shown;
    } cases[] = {
        {0, "0"},
        {1, "1"},
        {258, "258"},
        {260, "260"},
        {0x7FFFFFFFu, "2147483647"},
        {0x80000000u, "-2147483648"},
        {0xC0000005u, "-1073741819"},
        {0xFFFFFFFFu, "-1"},
        {259, "259"}, // the code that Windows also gives for "still running"
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        TestForm t;
        arrange(t, {"a.avi", "b.avi"});
        t.buttonStart.click();
        const std::size_t from = mark(t);
        writeOutput(t, outA, 1000);
        runUpTo(t, 15);
        t.processes.exit(4001, c.code);
        t.tick();
        const Lines expected{"(00:00:11) FILE size:1000", "(00:00:15) EXIT code:" + std::string(c.shown),
                             "(00:00:00) DONE"};
        EXPECT_EQ(linesSince(t, from), expected);
        EXPECT_EQ(t.state().mode, modeDone);
        EXPECT_EQ(t.state().currentFile, "b.avi");
        EXPECT_EQ(t.state().fileIndex, 1);
    }
}

// Every decision of mode 1 that is due from the launch on waits for elapsed 11: none
// at 10, at either of its two ticks.
TEST(WatchdogSettle, FirstDecisionOfARunningJobComesAtElevenNotTen) {
    const struct {
        const char* name;
        const char* timeout;
        bool exited;
        bool failQuery;
        Lines decided;
    } cases[] = {
        {"exited",
         "60",
         true,
         false,
         {"(00:00:11) FILE size:10", "(00:00:11) EXIT code:0", "(00:00:00) DONE"}},
        {"exit query fails",
         "60",
         false,
         true,
         {"(00:00:11) FILE size:10", "(00:00:11) EXIT code:0", "(00:00:00) DONE"}},
        {"no time-out",
         "",
         false,
         false,
         {"(00:00:11) FILE size:10", "(00:00:11) TIMEOUT", "(00:00:00) KILL process:4001 result:1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestForm t;
        arrange(t, {"a.avi", "b.avi"}, c.timeout);
        t.buttonStart.click();
        const std::size_t from = mark(t);
        writeOutput(t, outA, 10);
        if (c.exited)
            t.processes.exit(4001, 0);
        t.processes.failExitQuery = c.failQuery;
        runUpTo(t, 11);
        EXPECT_EQ(t.state().elapsed, 10);
        EXPECT_EQ(t.state().mode, modeRun);
        EXPECT_TRUE(linesSince(t, from).empty());
        t.tick();
        EXPECT_EQ(linesSince(t, from), c.decided);
    }
}

TEST(WatchdogSettle, WaitingModesMoveOnAtElevenNotTen) {
    const struct {
        const char* name;
        BatchMode from;
        std::function<void(TestForm&)> reach; // brings the form into mode `from`
        BatchMode to;
        Lines logged; // by the tick that leaves `from`
    } cases[] = {
        {"done to kill",
         modeDone,
         [](TestForm& t) {
             t.buttonStart.click();
             writeOutput(t, outA, 10);
             t.processes.exit(4001, 0);
             tickAt(t, 11);
         },
         modeKill,
         {"(00:00:00) KILL process:4001 result:0"}},
        {"kill to the next job",
         modeKill,
         [](TestForm& t) {
             t.buttonStart.click();
             writeOutput(t, outA, 10);
             t.processes.exit(4001, 0);
             tickAt(t, 11);
             tickAt(t, 11);
         },
         modeRun,
         {"(00:00:00) " + programLine(outB), "(00:00:00) RUN process:4002 file:b.avi"}},
        {"kill after a time-out to the same job",
         modeKill,
         [](TestForm& t) {
             t.BoxTimeout.setText("0");
             t.buttonStart.click();
             writeOutput(t, outA, 10);
             tickAt(t, 11);
         },
         modeRun,
         {"(00:00:00) " + programLine(outA), "(00:00:00) RUN process:4002 file:a.avi"}},
        {"kill after the last job to idle",
         modeKill,
         [](TestForm& t) {
             t.listFiles.userToggle(0);
             t.buttonStart.click();
             writeOutput(t, outB, 10);
             t.processes.exit(4001, 0);
             tickAt(t, 11);
             tickAt(t, 11);
         },
         modeIdle,
         {"(00:00:11) COMPLETE all files processed", "(00:00:00) IDLE"}},
        {"kill after the file was deselected to idle",
         modeKill,
         [](TestForm& t) {
             t.BoxTimeout.setText("0");
             t.buttonStart.click();
             writeOutput(t, outA, 10);
             tickAt(t, 11);
             t.listFiles.userToggle(0);
             t.listFiles.userToggle(1);
         },
         modeIdle,
         {"(00:00:11) ERROR no AVI files selected", "(00:00:00) IDLE"}},
        {"abort to idle",
         modeAbort,
         [](TestForm& t) {
             t.buttonStart.click();
             t.buttonAbort.click();
         },
         modeIdle,
         {"(00:00:00) IDLE"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestForm t;
        arrange(t, {"a.avi", "b.avi"});
        c.reach(t);
        ASSERT_EQ(t.state().mode, c.from);
        const std::size_t from = mark(t);
        runUpTo(t, 11);
        EXPECT_EQ(t.state().elapsed, 10);
        EXPECT_EQ(t.state().mode, c.from);
        EXPECT_TRUE(linesSince(t, from).empty());
        t.tick();
        EXPECT_EQ(t.state().mode, c.to);
        EXPECT_EQ(linesSince(t, from), c.logged);
    }
}

TEST(WatchdogStall, EmptyOutputStallsCountedFromTheGrowthTheEarlierJobLeft) {
    // The first job after start: nothing has grown yet, so the count runs from 0.
    {
        TestForm t;
        arrange(t, {"a.avi"});
        t.buttonStart.click();
        const std::size_t from = mark(t);
        writeOutput(t, outA, 0);
        runUpTo(t, 301);
        EXPECT_TRUE(linesSince(t, from).empty());
        t.tick();
        const Lines expected{"(00:05:01) SIZE TIMEOUT", "(00:00:00) DONE",
                             "(00:00:00) COMPLETE all files processed"};
        EXPECT_EQ(linesSince(t, from), expected);
    }
    // After a job whose output last grew at elapsed 2000, an empty output stalls at 2301.
    {
        TestForm t;
        arrange(t, {"a.avi", "b.avi"});
        t.buttonStart.click();
        for (int at = 100; at <= 2000; at += 100) {
            runUpTo(t, at);
            writeOutput(t, outA, static_cast<std::size_t>(at));
            t.tick();
        }
        runUpTo(t, 2005);
        t.processes.exit(4001, 0);
        t.tick();
        tickAt(t, 11);
        tickAt(t, 11);
        ASSERT_EQ(t.state().currentFile, "b.avi");
        ASSERT_EQ(t.state().mode, modeRun);
        EXPECT_EQ(t.state().lastGrowth, 2000);
        const std::size_t from = mark(t);
        writeOutput(t, outB, 0);
        runUpTo(t, 2301);
        EXPECT_TRUE(linesSince(t, from).empty());
        t.tick();
        const Lines expected{"(00:38:21) SIZE TIMEOUT", "(00:00:00) DONE",
                             "(00:00:00) COMPLETE all files processed"};
        EXPECT_EQ(linesSince(t, from), expected);
    }
}

TEST(WatchdogStall, EveryChangeOfLengthIsLoggedAndRestartsTheStallCount) {
    const struct {
        const char* name;
        std::size_t later; // the length at elapsed 200, after 5000 at elapsed 11
        int stallAt;
        Lines sizes;
    } cases[] = {
        {"shrinks", 3000, 501, {"(00:00:11) FILE size:5000", "(00:03:20) FILE size:3000"}},
        {"grows", 9000, 501, {"(00:00:11) FILE size:5000", "(00:03:20) FILE size:9000"}},
        {"drops to zero", 0, 312, {"(00:00:11) FILE size:5000"}},
        {"stays", 5000, 312, {"(00:00:11) FILE size:5000"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestForm t;
        arrange(t, {"a.avi"});
        t.buttonStart.click();
        const std::size_t from = mark(t);
        writeOutput(t, outA, 5000);
        runUpTo(t, 200);
        writeOutput(t, outA, c.later);
        runUpTo(t, c.stallAt);
        EXPECT_EQ(linesSince(t, from), c.sizes);
        t.tick();
        Lines expected = c.sizes;
        expected.push_back("(" + hms(c.stallAt) + ") SIZE TIMEOUT");
        expected.push_back("(00:00:00) DONE");
        expected.push_back("(00:00:00) COMPLETE all files processed");
        EXPECT_EQ(linesSince(t, from), expected);
    }
}

// Exit before stall before time-out, and a growth seen in the same tick is logged
// first and so keeps a stall from being taken.
TEST(WatchdogOrder, ExitWinsOverStallAndStallOverTimeout) {
    const struct {
        const char* name;
        bool exited;
        std::size_t length;
        Lines decided;
    } cases[] = {
        {"exited, empty output", true, 0, {"(00:06:40) EXIT code:0", "(00:00:00) DONE"}},
        {"exited, output grown",
         true,
         10,
         {"(00:06:40) FILE size:10", "(00:06:40) EXIT code:0", "(00:00:00) DONE"}},
        {"running, empty output", false, 0, {"(00:06:40) SIZE TIMEOUT", "(00:00:00) DONE"}},
        {"running, output grown",
         false,
         10,
         {"(00:06:40) FILE size:10", "(00:06:40) TIMEOUT", "(00:00:00) KILL process:4001 result:1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestForm t;
        arrange(t, {"a.avi", "b.avi"}, "");
        t.buttonStart.click();
        const std::size_t from = mark(t);
        // With no output yet nothing is decided, so every rule is overdue when it appears.
        runUpTo(t, 400);
        EXPECT_TRUE(linesSince(t, from).empty());
        writeOutput(t, outA, c.length);
        if (c.exited)
            t.processes.exit(4001, 0);
        t.tick();
        EXPECT_EQ(linesSince(t, from), c.decided);
    }
}

TEST(WatchdogTimeout, TimeoutKillsTheJobAndStartsTheSameFileAgain) {
    const struct {
        const char* timeout;
        int firesAt;
    } cases[] = {{"0.5", 31}, {"1", 61}, {"1.5", 91}, {"0.25", 16}, {"60", 3601}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.timeout);
        TestForm t;
        arrange(t, {"a.avi", "b.avi"}, c.timeout);
        t.buttonStart.click();
        const std::string commandLine = t.boxCmdLine.text();
        const std::size_t from = mark(t);
        writeOutput(t, outA, 1000);
        Lines killed{"(00:00:11) FILE size:1000"};
        // The output keeps growing, so no stall comes before a long time-out.
        for (int at = 110; at < c.firesAt; at += 100) {
            runUpTo(t, at);
            writeOutput(t, outA, static_cast<std::size_t>(at));
            killed.push_back("(" + hms(at) + ") FILE size:" + std::to_string(at));
        }
        runUpTo(t, c.firesAt);
        EXPECT_EQ(t.state().mode, modeRun);
        t.tick();
        killed.push_back("(" + hms(c.firesAt) + ") TIMEOUT");
        killed.push_back("(00:00:00) KILL process:4001 result:1");
        EXPECT_EQ(linesSince(t, from), killed);
        EXPECT_EQ(t.state().mode, modeKill);
        EXPECT_FALSE(t.processes.running(4001));
        // The cursor stays on the file that timed out.
        EXPECT_EQ(t.state().fileIndex, 0);
        EXPECT_EQ(t.state().currentFile, "a.avi");

        const std::size_t retry = mark(t);
        tickAt(t, 11);
        const Lines restarted{"(00:00:00) " + programLine(outA), "(00:00:00) RUN process:4002 file:a.avi"};
        EXPECT_EQ(linesSince(t, retry), restarted);
        EXPECT_EQ(t.state().hProcess, 4002);
        EXPECT_EQ(t.boxCmdLine.text(), commandLine);
        EXPECT_FALSE(t.files.exists(outA)); // the partial output of the killed run is gone
        ASSERT_EQ(t.processes.launches.size(), 2u);
        EXPECT_EQ(t.processes.launches[1].parameters, t.processes.launches[0].parameters);
    }
}

TEST(WatchdogTimeout, NoNumberInTheBoxTimesOutAtTheFirstWatchedTickWithOutput) {
    const struct {
        const char* timeout;
        int outputAt;
        int firesAt;
    } cases[] = {{"", 0, 11}, {"abc", 0, 11}, {"minutes", 0, 11}, {"", 40, 40}, {"x", 250, 250}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.timeout + "\" output at " + std::to_string(c.outputAt));
        TestForm t;
        arrange(t, {"a.avi"}, c.timeout);
        t.buttonStart.click();
        const std::size_t from = mark(t);
        runUpTo(t, c.outputAt);
        writeOutput(t, outA, 1000);
        runUpTo(t, c.firesAt);
        EXPECT_TRUE(linesSince(t, from).empty());
        t.tick();
        const std::string at = "(" + hms(c.firesAt) + ") ";
        const Lines expected{at + "FILE size:1000", at + "TIMEOUT", "(00:00:00) KILL process:4001 result:1"};
        EXPECT_EQ(linesSince(t, from), expected);
    }
}

TEST(WatchdogTimeout, ChangedTimeoutTextAppliesFromTheNextTick) {
    const struct {
        const char* before;
        int changedAt;
        const char* after;
        int firesAt;
    } cases[] = {
        {"60", 100, "1", 100}, // already passed: the very next tick
        {"60", 30, "1", 61},
        {"1", 50, "2", 121}, // lengthened before it passed
        {"1", 50, "", 50},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.before) + " -> " + c.after);
        TestForm t;
        arrange(t, {"a.avi"}, c.before);
        t.buttonStart.click();
        const std::size_t from = mark(t);
        // Growth every 100 s keeps the stall away.
        for (int at = 0; at <= c.firesAt; ++at) {
            runUpTo(t, at);
            if (at % 100 == 10)
                writeOutput(t, outA, static_cast<std::size_t>(at));
            if (at == c.changedAt)
                t.BoxTimeout.type(c.after);
        }
        const Lines sizesOnly = linesSince(t, from);
        for (const auto& line : sizesOnly)
            EXPECT_NE(line.find("FILE size:"), std::string::npos) << line;
        t.tick();
        const Lines last = linesSince(t, from + sizesOnly.size());
        const Lines expected{"(" + hms(c.firesAt) + ") TIMEOUT", "(00:00:00) KILL process:4001 result:1"};
        EXPECT_EQ(last, expected);
    }
}

TEST(WatchdogPause, PausedJobCountsOnAndIsDecidedAfterContinue) {
    const struct {
        const char* name;
        const char* timeout;
        std::function<void(TestForm&)> duringPause;
        int continueAt; // the first tick after Continue
        const char* label;
        Lines afterContinue;
        BatchMode mode;
    } cases[] = {
        {"stall passed",
         "60",
         [](TestForm&) {},
         400,
         "00:06:39",
         {"(00:06:40) SIZE TIMEOUT", "(00:00:00) DONE"},
         modeDone},
        {"time-out passed",
         "1",
         [](TestForm&) {},
         200,
         "00:03:19",
         {"(00:03:20) TIMEOUT", "(00:00:00) KILL process:4001 result:1"},
         modeKill},
        {"process ended",
         "60",
         [](TestForm& t) { t.processes.exit(4001, 7); },
         200,
         "00:03:19",
         {"(00:03:20) EXIT code:7", "(00:00:00) DONE"},
         modeDone},
        {"output grew",
         "60",
         [](TestForm& t) { writeOutput(t, outA, 2000); },
         400,
         "00:06:39",
         {"(00:06:40) FILE size:2000"},
         modeRun},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestForm t;
        arrange(t, {"a.avi", "b.avi"}, c.timeout);
        t.buttonStart.click();
        const std::size_t from = mark(t);
        writeOutput(t, outA, 1000);
        runUpTo(t, 20);
        t.buttonPause.click();
        runUpTo(t, 150);
        c.duringPause(t);
        runUpTo(t, c.continueAt);
        EXPECT_EQ(t.labelTime.caption(), c.label);
        EXPECT_EQ(t.state().mode, modeRun);
        t.buttonPause.click();
        t.tick();
        Lines expected{"(00:00:11) FILE size:1000", "(00:00:19) PAUSE",
                       "(" + std::string(c.label) + ") CONTINUE"};
        expected.insert(expected.end(), c.afterContinue.begin(), c.afterContinue.end());
        EXPECT_EQ(linesSince(t, from), expected);
        EXPECT_EQ(t.state().mode, c.mode);
    }
}

TEST(WatchdogPause, GrowthSeenAfterContinueRestartsTheStallCount) {
    TestForm t;
    arrange(t, {"a.avi"});
    t.buttonStart.click();
    writeOutput(t, outA, 1000);
    runUpTo(t, 20);
    t.buttonPause.click();
    runUpTo(t, 350);
    writeOutput(t, outA, 2000);
    runUpTo(t, 400);
    t.buttonPause.click();
    t.tick();
    EXPECT_EQ(t.state().lastGrowth, 400);
    const std::size_t from = mark(t);
    runUpTo(t, 701);
    EXPECT_TRUE(linesSince(t, from).empty());
    t.tick();
    ASSERT_FALSE(linesSince(t, from).empty());
    EXPECT_EQ(linesSince(t, from).front(), "(00:11:41) SIZE TIMEOUT");
}

// A first pass may run for hours before the output file exists: no stall and no
// time-out is acted on until it does.
TEST(WatchdogOutput, MissingOutputKeepsARunningJobWithoutAnyDecision) {
    TestForm t;
    arrange(t, {"a.avi"}, "1");
    t.buttonStart.click();
    const std::size_t from = mark(t);
    t.run(2 * 3600);
    EXPECT_TRUE(linesSince(t, from).empty());
    EXPECT_EQ(t.state().mode, modeRun);
    EXPECT_EQ(t.labelTime.caption(), "02:00:00");
    // Once it appears, the overdue time-out is taken at the next tick.
    writeOutput(t, outA, 10);
    t.tick();
    const Lines expected{"(02:00:01) FILE size:10", "(02:00:01) TIMEOUT",
                         "(00:00:00) KILL process:4001 result:1"};
    EXPECT_EQ(linesSince(t, from), expected);
}

// A program that fails at once (a bad input file, a missing codec) writes nothing; the
// batch goes on with the next file instead of waiting for an output that cannot come.
TEST(WatchdogOutput, AJobThatEndedWithoutOutputIsFinished) {
    TestForm t;
    arrange(t, {"a.avi", "b.avi"}, "1");
    t.buttonStart.click();
    const std::size_t from = mark(t);
    t.processes.exit(4001, 5);
    runUpTo(t, 11);
    EXPECT_TRUE(linesSince(t, from).empty()) << "nothing is decided before the settle time";
    t.tick();
    const Lines expected{"(00:00:11) EXIT code:5", "(00:00:00) DONE"};
    EXPECT_EQ(linesSince(t, from), expected);
    EXPECT_EQ(t.state().currentFile, "b.avi");
}

// Without a process to ask (nothing was launched, or the query fails) nothing says the
// job has ended, so it is left running as long as its output does not exist.
TEST(WatchdogOutput, MissingOutputAndNoExitCodeDecideNothing) {
    for (const bool failLaunch : {true, false}) {
        SCOPED_TRACE(failLaunch ? "nothing launched" : "query fails");
        TestForm t;
        arrange(t, {"a.avi"}, "60");
        t.processes.failLaunch = failLaunch;
        t.processes.failExitQuery = !failLaunch;
        t.buttonStart.click();
        const std::size_t from = mark(t);
        t.run(2 * 3600);
        EXPECT_TRUE(linesSince(t, from).empty());
        EXPECT_EQ(t.state().mode, modeRun);
    }
}

TEST(WatchdogExit, FailedExitQueryCountsAsExitCodeZeroOnceOutputExists) {
    const struct {
        const char* name;
        bool failLaunch;
        bool failQuery;
        const char* run;
    } cases[] = {
        {"query fails", false, true, "(00:00:00) RUN process:4001 file:a.avi"},
        {"nothing launched", true, false, "(00:00:00) RUN process:0 file:a.avi"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestForm t;
        arrange(t, {"a.avi", "b.avi"});
        t.processes.failLaunch = c.failLaunch;
        t.processes.failExitQuery = c.failQuery;
        const std::size_t from = mark(t);
        t.buttonStart.click();
        runUpTo(t, 30);
        writeOutput(t, outA, 64);
        t.tick();
        const Lines expected{"(12:00:00) START",        "(00:00:00) " + programLine(outA), c.run,
                             "(00:00:30) FILE size:64", "(00:00:30) EXIT code:0",          "(00:00:00) DONE"};
        EXPECT_EQ(linesSince(t, from), expected);
        EXPECT_EQ(t.state().currentFile, "b.avi");
    }
}

TEST(WatchdogStop, StoppedJobIsNoLongerWatched) {
    TestForm t;
    arrange(t, {"a.avi", "b.avi"}, "1");
    t.buttonStart.click();
    const std::size_t from = mark(t);
    writeOutput(t, outA, 100);
    runUpTo(t, 15);
    t.buttonStop.click();
    for (int second = 0; second < 400; second += 50) {
        writeOutput(t, outA, 100 + static_cast<std::size_t>(second));
        t.run(50);
    }
    t.processes.exit(4001, 0);
    t.run(30);
    // The size seen before the Stop is the only one; nothing is watched after it.
    const Lines expected{"(00:00:11) FILE size:100", "(00:00:14) STOP", "(00:00:00) IDLE"};
    EXPECT_EQ(linesSince(t, from), expected);
    EXPECT_EQ(t.state().mode, modeIdle);
    EXPECT_EQ(t.labelTime.caption(), "");
    EXPECT_EQ(t.state().hProcess, 4001);
    EXPECT_TRUE(t.processes.terminated.empty());
}

TEST(WatchdogOutput, SizesBeyondFourGigabytesAreLoggedWhole) {
    TestForm t;
    arrange(t, {"a.avi"});
    t.buttonStart.click();
    const std::size_t from = mark(t);
    t.files.setLength(outA, 3221225472LL);
    tickAt(t, 11);
    runUpTo(t, 40);
    t.files.setLength(outA, 4294967296LL + 512);
    t.tick();
    const Lines expected{"(00:00:11) FILE size:3221225472", "(00:00:40) FILE size:4294967808"};
    EXPECT_EQ(linesSince(t, from), expected);
    EXPECT_EQ(t.state().lastSize, 4294967808LL);
    EXPECT_EQ(t.state().lastGrowth, 40);
    // Past 2 GiB the length is still a change only when it differs.
    runUpTo(t, 341);
    EXPECT_EQ(linesSince(t, from).size(), 2u);
    t.tick();
    const Lines stalled{"(00:05:41) SIZE TIMEOUT", "(00:00:00) DONE",
                        "(00:00:00) COMPLETE all files processed"};
    EXPECT_EQ(linesSince(t, from + 2), stalled);
}

TEST(WatchdogLabel, EmptyWhileIdleAndTheElapsedTimeInEveryOtherMode) {
    const struct {
        const char* name;
        std::function<void(TestForm&)> reach;
        const char* label;
    } cases[] = {
        {"first tick after start", [](TestForm&) {}, ""},
        {"idle after stop",
         [](TestForm& t) {
             t.buttonStart.click();
             tickAt(t, 30);
             t.buttonStop.click();
             t.run(20);
         },
         ""},
        {"running",
         [](TestForm& t) {
             t.buttonStart.click();
             tickAt(t, 75);
         },
         "00:01:15"},
        {"paused",
         [](TestForm& t) {
             t.buttonStart.click();
             t.buttonPause.click();
             tickAt(t, 3725);
         },
         "01:02:05"},
        {"done",
         [](TestForm& t) {
             t.buttonStart.click();
             writeOutput(t, outA, 1);
             t.processes.exit(4001, 0);
             tickAt(t, 11);
             tickAt(t, 5);
         },
         "00:00:05"},
        {"kill",
         [](TestForm& t) {
             t.BoxTimeout.setText("0");
             t.buttonStart.click();
             writeOutput(t, outA, 1);
             tickAt(t, 11);
             tickAt(t, 7);
         },
         "00:00:07"},
        {"abort",
         [](TestForm& t) {
             t.buttonAbort.click();
             tickAt(t, 9);
         },
         "00:00:09"},
        {"abort, paused",
         [](TestForm& t) {
             t.buttonPause.click();
             t.buttonAbort.click();
             tickAt(t, 100);
         },
         "00:01:40"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestForm t;
        arrange(t, {"a.avi", "b.avi"});
        c.reach(t);
        EXPECT_EQ(t.labelTime.caption(), c.label);
    }
}

// A decision that fails ends its tick quietly; the state stays as far as it got, and
// the next tick goes on from there.
TEST(WatchdogFailure, AFailingDecisionEndsOnlyItsOwnTick) {
    // The exit-code query throws at the first watched tick.
    {
        TestForm t;
        arrange(t, {"a.avi", "b.avi"});
        t.buttonStart.click();
        writeOutput(t, outA, 500);
        t.processes.exit(4001, 0);
        int throwsLeft = 1;
        t.processes.onExitQuery = [&](ProcessHandle) {
            if (throwsLeft-- > 0)
                throw std::runtime_error("exit-code query failed");
        };
        runUpTo(t, 11);
        const std::size_t from = mark(t);
        EXPECT_NO_THROW(t.tick());
        EXPECT_TRUE(linesSince(t, from).empty());
        EXPECT_EQ(t.state().mode, modeRun);
        EXPECT_EQ(t.state().elapsed, 11);
        EXPECT_EQ(t.labelTime.caption(), "00:00:11");
        EXPECT_EQ(t.state().lastSize, 0);
        EXPECT_TRUE(t.messages.shown.empty());
        t.tick();
        const Lines expected{"(00:00:11) FILE size:500", "(00:00:11) EXIT code:0", "(00:00:00) DONE"};
        EXPECT_EQ(linesSince(t, from), expected);
    }
    // The termination throws inside setMode(3), called from the tick: the mode change
    // stands without its kill line, and mode 3 runs its course.
    {
        TestForm t;
        arrange(t, {"a.avi", "b.avi"});
        t.buttonStart.click();
        writeOutput(t, outA, 500);
        t.processes.exit(4001, 0);
        tickAt(t, 11);
        ASSERT_EQ(t.state().mode, modeDone);
        t.processes.onTerminate = [](ProcessHandle) { throw std::runtime_error("termination failed"); };
        runUpTo(t, 11);
        const std::size_t from = mark(t);
        EXPECT_NO_THROW(t.tick());
        EXPECT_EQ(t.state().mode, modeKill);
        EXPECT_EQ(t.state().elapsed, 0);
        EXPECT_TRUE(linesSince(t, from).empty());
        t.processes.onTerminate = nullptr;
        tickAt(t, 11);
        const Lines expected{"(00:00:00) " + programLine(outB), "(00:00:00) RUN process:4002 file:b.avi"};
        EXPECT_EQ(linesSince(t, from), expected);
        EXPECT_EQ(t.state().mode, modeRun);
    }
    // The keyboard throws at every pulse, and a pulse is due at every tick: the label and
    // the decisions go on all the same.
    {
        TestForm t;
        t.keyboard.onSend = [] { throw std::runtime_error("no keyboard"); };
        arrange(t, {"a.avi", "b.avi"});
        t.buttonStart.click();
        writeOutput(t, outA, 500);
        t.processes.exit(4001, 0);
        const std::size_t from = mark(t);
        for (int tick = 0; tick < 22; ++tick)
            EXPECT_NO_THROW(t.tick());
        const Lines expected{"(00:00:11) FILE size:500", "(00:00:11) EXIT code:0", "(00:00:00) DONE"};
        EXPECT_EQ(linesSince(t, from), expected);
        EXPECT_EQ(t.labelTime.caption(), "00:00:00");
    }
}
