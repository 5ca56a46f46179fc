#include "fakes/TestForm.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using namespace quorbin;
using namespace quorbin::test;

namespace {

using Lines = std::vector<std::string>;

const std::string folder = "/home/ann/jobs/";

// The program line of a job: the program, a blank, and the command line, which begins
// with a blank of its own.
std::string programLine(const std::string& outputName) {
    return "/opt/tools/proc  /c /s \"/home/ann/set/fast.vcf\"  /p \"/home/ann/jobs/quorbin.avs\" "
           "\"/home/ann/jobs/" +
           outputName + "\" /r /x";
}

// A window as a user leaves it before pressing Start: program, settings file and a
// template restored at start-up, then input files picked, some of them marked. The
// clock stands at 12:00:00 on a whole second, so every mode begins on one.
void arrange(TestForm& t, const std::vector<std::string>& names, const std::vector<int>& selected) {
    t.settings.values[{"file", "exePath"}] = "/opt/tools/proc";
    t.settings.values[{"file", "vcfPath"}] = "/home/ann/set/fast.vcf";
    t.settings.values[{"file", "avsPath"}] = "/home/ann/clip.avs";
    t.files.files["/home/ann/clip.avs"] = "Open($FILE)";
    t.start();
    ASSERT_TRUE(t.messages.shown.empty());
    t.useFiles(folder, names, selected);
}

const std::vector<std::string> fiveClips{"a.avi", "b.avi", "c.avi", "d.avi", "e.avi"};

// Ticks through the settle time of the current mode, which began on a whole second:
// nothing may happen while elapsed is 10 or less; gives what the tick at 11 logged.
Lines settle(TestForm& t) {
    const std::size_t before = t.listLog.lines.size();
    t.run(10.5);
    EXPECT_EQ(t.listLog.lines.size(), before) << "a decision before 11 seconds: " << t.listLog.lines.back();
    t.tick();
    return t.messagesLoggedSince(before);
}

// The processing program writes its output and ends.
void finish(TestForm& t, ProcessHandle handle, const std::string& outputName, std::size_t bytes,
            std::uint32_t code) {
    t.files.files[folder + outputName] = std::string(bytes, 'v');
    t.processes.exit(handle, code);
}

} // namespace

TEST(BatchController, StartWithoutSelectedFilesReportsAndGoesIdle) {
    struct List {
        const char* name;
        std::vector<std::string> names;
        std::vector<int> selected;
    };
    const std::vector<List> lists{{"empty list", {}, {}}, {"nothing selected", fiveClips, {}}};
    for (const auto& l : lists) {
        TestForm t;
        arrange(t, l.names, l.selected);

        t.buttonStart.click();

        EXPECT_EQ(t.messagesLogged(), (Lines{"START", "ERROR no AVI files selected", "IDLE"})) << l.name;
        ASSERT_EQ(t.messages.shown.size(), 1u) << l.name;
        EXPECT_EQ(t.messages.shown[0].text, "No AVI files are selected.") << l.name;
        EXPECT_EQ(t.messages.shown[0].title, "quorbin") << l.name;
        EXPECT_EQ(t.state().mode, modeIdle) << l.name;
        EXPECT_TRUE(t.processes.launches.empty()) << l.name;
    }
}

// Entries 1 and 3 of five are marked: the cursor skips the unmarked ones, each job
// waits its 11 seconds in every mode, and the batch ends on the unmarked last entry.
TEST(BatchController, RunsTheSelectedEntriesInListOrder) {
    TestForm t;
    arrange(t, fiveClips, {1, 3});

    t.buttonStart.click();
    EXPECT_EQ(t.messagesLogged(), (Lines{"START", programLine("bP.avi"), "RUN process:4001 file:b.avi"}));
    EXPECT_EQ(t.state().mode, modeRun);
    EXPECT_EQ(t.state().fileIndex, 1);
    EXPECT_EQ(t.listFiles.currentIndex(), 1);
    EXPECT_EQ(t.files.read(folder + "quorbin.avs"), "Open(/home/ann/jobs/b.avi)\r\n");

    finish(t, 4001, "bP.avi", 1000, 0);
    EXPECT_EQ(settle(t), (Lines{"FILE size:1000", "EXIT code:0", "DONE"}));
    // Done: the cursor has moved on over the unmarked entry 2, and entry 3 is prepared
    // while the old process may still run.
    EXPECT_EQ(t.state().mode, modeDone);
    EXPECT_EQ(t.state().fileIndex, 3);
    EXPECT_EQ(t.state().currentFile, "d.avi");
    EXPECT_EQ(t.state().outputPath, folder + "dP.avi");
    EXPECT_EQ(t.boxScript.text(), "Open(/home/ann/jobs/d.avi)");
    EXPECT_TRUE(t.processes.terminated.empty());

    EXPECT_EQ(settle(t), (Lines{"KILL process:4001 result:0"}));
    EXPECT_EQ(t.processes.terminated, std::vector<ProcessHandle>{4001});
    EXPECT_EQ(settle(t), (Lines{programLine("dP.avi"), "RUN process:4002 file:d.avi"}));
    EXPECT_EQ(t.files.read(folder + "quorbin.avs"), "Open(/home/ann/jobs/d.avi)\r\n");

    finish(t, 4002, "dP.avi", 2000, 1);
    EXPECT_EQ(settle(t),
              (Lines{"FILE size:2000", "EXIT code:1", "DONE", "COMPLETE all selected files processed"}));
    EXPECT_EQ(t.state().fileIndex, 4);
    EXPECT_EQ(settle(t), (Lines{"KILL process:4002 result:0"}));
    EXPECT_EQ(settle(t), (Lines{"COMPLETE all selected files processed", "IDLE"}));
    EXPECT_EQ(t.state().mode, modeIdle);
    EXPECT_EQ(t.state().hProcess, 4002);

    // The whole log, time stamps included: the lines of an entry action show 00:00:00.
    const Lines log{
        "12:00:00 (00:00:00) START",
        "12:00:00 (00:00:00) " + programLine("bP.avi"),
        "12:00:00 (00:00:00) RUN process:4001 file:b.avi",
        "12:00:11 (00:00:11) FILE size:1000",
        "12:00:11 (00:00:11) EXIT code:0",
        "12:00:11 (00:00:00) DONE",
        "12:00:22 (00:00:00) KILL process:4001 result:0",
        "12:00:33 (00:00:00) " + programLine("dP.avi"),
        "12:00:33 (00:00:00) RUN process:4002 file:d.avi",
        "12:00:44 (00:00:11) FILE size:2000",
        "12:00:44 (00:00:11) EXIT code:1",
        "12:00:44 (00:00:00) DONE",
        "12:00:44 (00:00:00) COMPLETE all selected files processed",
        "12:00:55 (00:00:00) KILL process:4002 result:0",
        // Found by the tick before it changes the mode: the elapsed time of mode 3.
        "12:01:06 (00:00:11) COMPLETE all selected files processed",
        "12:01:06 (00:00:00) IDLE",
    };
    EXPECT_EQ(t.listLog.lines, log);
    // The same lines went to the log file of the working folder.
    std::string file;
    for (const auto& line : log)
        file += line + "\r\n";
    EXPECT_EQ(t.files.read(folder + "quorbin.log"), file);
    // The end of a batch is no occasion for a message box.
    EXPECT_TRUE(t.messages.shown.empty());

    // The cursor stays on the unmarked entry 4: a new Start finds nothing left.
    const std::size_t before = t.listLog.lines.size();
    t.buttonStart.click();
    EXPECT_EQ(t.messagesLoggedSince(before),
              (Lines{"START", "COMPLETE all selected files processed", "IDLE"}));
    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].text, "All selected AVI files have been processed.");
    EXPECT_EQ(t.messages.shown[0].title, "quorbin");
    EXPECT_EQ(t.processes.launches.size(), 2u);
}

// With the last entry marked, the cursor runs past the end of the list.
TEST(BatchController, TheLastEntryDoneCompletesAllFiles) {
    TestForm t;
    arrange(t, {"a.avi", "b.avi", "c.avi"}, {2});

    t.buttonStart.click();
    EXPECT_EQ(t.messagesLogged(), (Lines{"START", programLine("cP.avi"), "RUN process:4001 file:c.avi"}));
    finish(t, 4001, "cP.avi", 10, 0);
    EXPECT_EQ(settle(t), (Lines{"FILE size:10", "EXIT code:0", "DONE", "COMPLETE all files processed"}));
    EXPECT_EQ(t.state().fileIndex, 3);
    EXPECT_EQ(settle(t), (Lines{"KILL process:4001 result:0"}));
    EXPECT_EQ(settle(t), (Lines{"COMPLETE all files processed", "IDLE"}));
    EXPECT_TRUE(t.messages.shown.empty());

    const std::size_t before = t.listLog.lines.size();
    t.buttonStart.click();
    EXPECT_EQ(t.messagesLoggedSince(before), (Lines{"START", "COMPLETE all files processed", "IDLE"}));
    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].text, "All AVI files have been processed.");
    EXPECT_EQ(t.messages.shown[0].title, "quorbin");
    EXPECT_EQ(t.processes.launches.size(), 1u);
}

TEST(BatchController, AbortBeforeAnyLaunchKillsHandleZeroAndGoesIdleAfterElevenSeconds) {
    TestForm t;
    arrange(t, fiveClips, {1, 3});

    t.buttonAbort.click();

    EXPECT_EQ(t.listLog.lines,
              (Lines{"12:00:00 (00:00:00) ABORT", "12:00:00 (00:00:00) KILL process:0 result:0"}));
    EXPECT_EQ(t.processes.terminated, std::vector<ProcessHandle>{0});
    EXPECT_EQ(t.state().mode, modeAbort);
    EXPECT_EQ(settle(t), (Lines{"IDLE"}));
    EXPECT_EQ(t.state().mode, modeIdle);
    EXPECT_EQ(t.state().fileIndex, 0);
    EXPECT_TRUE(t.processes.launches.empty());
}

// Stop leaves the process running and unwatched; a later Abort still ends it.
TEST(BatchController, StopDuringAJobLeavesTheProcessForALaterAbort) {
    TestForm t;
    arrange(t, fiveClips, {1, 3});
    t.buttonStart.click();
    t.run(20);
    t.files.files[folder + "bP.avi"] = "growing";

    t.buttonStop.click();
    EXPECT_EQ(t.messagesLoggedSince(3), (Lines{"STOP", "IDLE"}));
    EXPECT_EQ(t.listLog.lines[3], "12:00:20 (00:00:20) STOP");
    EXPECT_TRUE(t.processes.running(4001));
    EXPECT_TRUE(t.processes.terminated.empty());
    EXPECT_EQ(t.state().hProcess, 4001);
    EXPECT_EQ(t.state().fileIndex, 1);

    // Unwatched: the output grows and nobody notices.
    t.run(30);
    t.files.files[folder + "bP.avi"] = "grown further";
    t.run(30);
    EXPECT_EQ(t.listLog.lines.size(), 5u);

    t.buttonAbort.click();
    EXPECT_EQ(t.messagesLoggedSince(5), (Lines{"ABORT", "KILL process:4001 result:1"}));
    EXPECT_FALSE(t.processes.running(4001));
    EXPECT_EQ(settle(t), (Lines{"IDLE"}));
}

TEST(BatchController, PauseTwiceTogglesTheCaptionAndLeavesTheModeAlone) {
    TestForm t;
    arrange(t, fiveClips, {1});

    t.buttonPause.click();
    EXPECT_EQ(t.buttonPause.caption(), "Continue");
    EXPECT_TRUE(t.state().paused);
    t.buttonPause.click();
    EXPECT_EQ(t.buttonPause.caption(), "Pause");
    EXPECT_FALSE(t.state().paused);

    EXPECT_EQ(t.messagesLogged(), (Lines{"PAUSE", "CONTINUE"}));
    EXPECT_EQ(t.state().mode, modeIdle);
}

// Start does not look at the pause: the job is launched, then watched only after
// Continue, and the paused time counts toward it.
TEST(BatchController, StartWhilePausedLaunchesButDecidesNothingUntilContinue) {
    TestForm t;
    arrange(t, fiveClips, {1});
    t.buttonPause.click();

    t.buttonStart.click();
    EXPECT_EQ(t.messagesLogged(),
              (Lines{"PAUSE", "START", programLine("bP.avi"), "RUN process:4001 file:b.avi"}));
    finish(t, 4001, "bP.avi", 300, 0);
    t.run(30);
    EXPECT_EQ(t.listLog.lines.size(), 4u);
    EXPECT_EQ(t.labelTime.caption(), "00:00:30");
    EXPECT_EQ(t.state().mode, modeRun);

    t.buttonPause.click();
    EXPECT_EQ(t.buttonPause.caption(), "Pause");
    t.tick();
    EXPECT_EQ(t.messagesLoggedSince(4), (Lines{"CONTINUE", "FILE size:300", "EXIT code:0", "DONE",
                                               "COMPLETE all selected files processed"}));
    EXPECT_EQ(t.listLog.lines[5], "12:00:30 (00:00:30) FILE size:300");
}

// A click in the list during a job prepares the clicked entry at once and moves the
// watch to its output, while the running process stays the one of the batch.
TEST(BatchController, AListClickDuringAJobPreparesThatEntry) {
    TestForm t;
    arrange(t, fiveClips, {1, 3});
    t.buttonStart.click();
    t.run(3);

    t.listFiles.userClick(3);

    EXPECT_EQ(t.state().fileIndex, 3);
    EXPECT_EQ(t.state().currentFile, "d.avi");
    EXPECT_EQ(t.boxScript.text(), "Open(/home/ann/jobs/d.avi)");
    EXPECT_EQ(
        t.boxCmdLine.text(),
        R"( /c /s "/home/ann/set/fast.vcf"  /p "/home/ann/jobs/quorbin.avs" "/home/ann/jobs/dP.avi" /r /x)");
    EXPECT_EQ(t.state().outputPath, folder + "dP.avi");
    EXPECT_EQ(t.state().hProcess, 4001);
    EXPECT_EQ(t.state().mode, modeRun);
    EXPECT_EQ(t.processes.launches.size(), 1u);
    EXPECT_EQ(t.listLog.lines.size(), 3u);

    t.files.files[folder + "bP.avi"] = std::string(100, 'b');
    t.files.files[folder + "dP.avi"] = std::string(700, 'd');
    t.run(8);
    EXPECT_EQ(t.messagesLoggedSince(3), (Lines{"FILE size:700"}));
}

// Every Stop enters mode 0 anew: IDLE again, and the elapsed time starts from zero.
TEST(BatchController, ASecondStopLogsIdleAgain) {
    TestForm t;
    arrange(t, fiveClips, {1});

    t.buttonStop.click();
    t.run(5);
    EXPECT_EQ(t.labelTime.caption(), "");
    t.buttonStop.click();
    t.run(2);
    t.buttonPause.click();

    EXPECT_EQ(t.listLog.lines,
              (Lines{"12:00:00 (00:00:00) STOP", "12:00:00 (00:00:00) IDLE", "12:00:05 (00:00:05) STOP",
                     "12:00:05 (00:00:00) IDLE", "12:00:07 (00:00:02) PAUSE"}));
}

// Until the first mode change the mode "began" at midnight.
TEST(BatchController, BeforeTheFirstModeChangeElapsedIsTheTimeOfDay) {
    TestForm t;
    t.clock.set(9, 15, 30);
    arrange(t, fiveClips, {1});
    t.tick();

    t.buttonPause.click();
    t.buttonStop.click();

    EXPECT_EQ(t.listLog.lines,
              (Lines{"09:15:30 (09:15:30) PAUSE", "09:15:30 (09:15:30) STOP", "09:15:30 (00:00:00) IDLE"}));
    EXPECT_EQ(t.state().modeStart, 9 * 3600 + 15 * 60 + 30);
}

// Two programs must never write one output at once: a Start while the last launched
// process still runs ends it first, in every mode that leaves one running.
TEST(BatchController, StartWhileTheLastJobRunsKillsItBeforeTheLaunch) {
    struct Before {
        const char* name;
        bool stop;
    };
    for (const Before b : {Before{"during the job", false}, Before{"after Stop", true}}) {
        TestForm t;
        arrange(t, fiveClips, {1, 3});
        t.buttonStart.click();
        t.run(3);
        if (b.stop)
            t.buttonStop.click();
        const std::size_t before = t.listLog.lines.size();

        t.buttonStart.click();

        EXPECT_EQ(t.messagesLoggedSince(before),
                  (Lines{"START", "KILL process:4001 result:1", programLine("bP.avi"),
                         "RUN process:4002 file:b.avi"}))
            << b.name;
        EXPECT_EQ(t.elapsedOf(t.listLog.lines[before + 1]), "00:00:00") << b.name;
        EXPECT_EQ(t.processes.terminated, std::vector<ProcessHandle>{4001}) << b.name;
        EXPECT_FALSE(t.processes.running(4001)) << b.name;
        EXPECT_TRUE(t.processes.running(4002)) << b.name;
        EXPECT_EQ(t.processes.releasedHandles, std::vector<ProcessHandle>{4001}) << b.name;
        EXPECT_EQ(t.state().hProcess, 4002) << b.name;
        EXPECT_EQ(t.state().mode, modeRun) << b.name;
    }
}

// The job ended by itself: no kill line, but what it may have left running in its group
// is ended before the next job starts.
TEST(BatchController, StartAfterTheLastJobEndedLogsNoKill) {
    TestForm t;
    arrange(t, fiveClips, {1, 3});
    t.buttonStart.click();
    t.run(3);
    t.processes.exit(4001, 0);

    t.buttonStart.click();

    EXPECT_EQ(t.messagesLoggedSince(3),
              (Lines{"START", programLine("bP.avi"), "RUN process:4002 file:b.avi"}));
    EXPECT_EQ(t.processes.terminated, std::vector<ProcessHandle>{4001});
    EXPECT_EQ(t.processes.releasedHandles, std::vector<ProcessHandle>{4001});
    EXPECT_EQ(t.state().hProcess, 4002);
}

// A box's modal loop goes on running timer ticks. Under the box of a launch that started
// nothing, the ticks keep the clock but take no decision: the ended job of the earlier
// file is not finished again, nothing is launched twice and no second box opens.
TEST(BatchController, TicksUnderAnOpenBoxTakeNoDecision) {
    TestForm t;
    arrange(t, fiveClips, {0, 1});
    t.buttonStart.click();
    finish(t, 4001, "aP.avi", 300, 0);
    settle(t); // a.avi done, b.avi prepared
    settle(t); // the old job killed
    t.processes.failLaunch = true;
    std::size_t linesUnderTheBox = 0;
    t.messages.whileShown = [&] {
        const std::size_t before = t.listLog.lines.size();
        t.run(60);
        linesUnderTheBox = t.listLog.lines.size() - before;
    };

    settle(t); // the launch of b.avi fails and shows its box

    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(linesUnderTheBox, 0u);
    EXPECT_EQ(t.processes.launches.size(), 2u);
    EXPECT_EQ(t.state().mode, modeRun);
    EXPECT_EQ(t.labelTime.caption(), "00:01:00");
}

// The machine is kept awake from Start to IDLE, one hold for the whole batch whatever
// modes 1 to 4 it passes through, named after the first file.
TEST(BatchController, KeepsTheMachineAwakeFromStartToIdle) {
    TestForm t;
    arrange(t, fiveClips, {1, 3});
    t.run(5);
    EXPECT_TRUE(t.keepAwake.calls.empty()) << "nothing is held in mode 0";
    t.buttonStart.click();
    EXPECT_EQ(t.keepAwake.calls, (Lines{"hold Processing b.avi"}));
    for (const auto& [handle, output] : {std::pair{4001, "bP.avi"}, std::pair{4002, "dP.avi"}}) {
        finish(t, handle, output, 1000, 0);
        settle(t); // 2
        settle(t); // 3
        settle(t); // 1 or 0
    }
    ASSERT_EQ(t.state().mode, modeIdle);
    EXPECT_EQ(t.keepAwake.calls, (Lines{"hold Processing b.avi", "release"}));
}

// Each story is a row of the steps below; the machine is let go whichever way the batch
// ends, and closing the window lets it go without ending the job.
TEST(BatchController, StopAbortAndClosingTheWindowLetTheMachineSleep) {
    struct Story {
        std::vector<int> selected;
        std::string steps;
        Lines calls;
    };
    const std::vector<Story> stories{
        {{1}, "start stop", {"hold Processing b.avi", "release"}},
        {{1}, "start abort settle", {"hold Processing b.avi", "release"}},
        {{}, "abort settle", {"hold A batch is running", "release"}},
        {{1, 3}, "start start stop", {"hold Processing b.avi", "release"}},
        {{}, "start", {}},
        {{1}, "start close", {"hold Processing b.avi", "release"}},
        {{1}, "start stop close", {"hold Processing b.avi", "release"}},
    };
    for (const auto& [selected, steps, calls] : stories) {
        TestForm t;
        arrange(t, fiveClips, selected);
        std::istringstream words(steps);
        for (std::string step; words >> step;) {
            if (step == "start")
                t.buttonStart.click();
            else if (step == "stop")
                t.buttonStop.click();
            else if (step == "abort")
                t.buttonAbort.click();
            else if (step == "close")
                t.window.close();
            else
                settle(t);
        }
        EXPECT_EQ(t.keepAwake.calls, calls) << steps;
        if (steps.find("close") != std::string::npos) {
            EXPECT_TRUE(t.processes.terminated.empty()) << steps;
        }
    }
}
