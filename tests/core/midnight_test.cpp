#include "fakes/TestForm.h"
#include "log/TimeText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using namespace quorbin;
using namespace quorbin::test;

// A batch that runs through midnight is timed as if the day went on: the elapsed time
// counts on, the 11-second waits, the stall and the time-out fire where they would at
// noon, and the Shift pulse keeps coming. The log's time of day starts again at 00:00:00.

namespace {

using Lines = std::vector<std::string>;

const std::string folder = "/work/clips/";
const std::string outA = "/work/clips/aP.avi";

double at(int h, int m, double s) {
    return h * 3600.0 + m * 60.0 + s;
}

// A window whose clock shows `startAt`, with two input files selected.
void arrange(TestForm& t, double startAt, const std::string& timeout = "60") {
    t.clock.set(startAt);
    t.start();
    t.useFiles(folder, {"a.avi", "b.avi"}, {0, 1});
    t.boxExe.setText("/opt/proc/run");
    t.BoxTimeout.setText(timeout);
}

// Ticks until the clock shows `target` (seconds since midnight, a multiple of a half),
// going through midnight if need be.
void runUntil(TestForm& t, double target) {
    for (int guard = 0; guard < 400000 && t.clock.timerSeconds() != target; ++guard)
        t.tick();
    ASSERT_EQ(t.clock.timerSeconds(), target);
}

void writeOutput(TestForm& t, std::size_t bytes) {
    t.files.files[outA] = std::string(bytes, 'v');
}

// The whole log lines, time of day included, from `from` on.
Lines linesSince(const TestForm& t, std::size_t from) {
    return Lines(t.listLog.lines.begin() + static_cast<std::ptrdiff_t>(from), t.listLog.lines.end());
}

} // namespace

TEST(Midnight, RunningJobCountsItsElapsedTimeOnThroughMidnight) {
    TestForm t;
    arrange(t, at(23, 59, 45));
    t.buttonStart.click();
    const std::size_t from = t.listLog.lines.size();
    runUntil(t, 0);
    EXPECT_EQ(t.labelTime.caption(), "00:00:15");
    runUntil(t, at(0, 0, 30));
    EXPECT_EQ(t.state().elapsed, 45);
    EXPECT_EQ(t.labelTime.caption(), "00:00:45");
    EXPECT_EQ(t.state().mode, modeRun);

    writeOutput(t, 2048);
    t.processes.exit(4001, 0);
    t.tick();
    const Lines expected{"00:00:30 (00:00:45) FILE size:2048", "00:00:30 (00:00:45) EXIT code:0",
                         "00:00:30 (00:00:00) DONE"};
    EXPECT_EQ(linesSince(t, from), expected);
}

// Each waiting mode entered at 23:59:55 moves on at elapsed 11, at 00:00:06: not at
// 00:00:05.5 with elapsed 10, and not on the next day.
TEST(Midnight, WaitingModesEnteredBeforeMidnightMoveOnElevenSecondsLater) {
    const struct {
        const char* name;
        std::function<void(TestForm&)> reach; // enters the mode at 23:59:55, Start at 23:59:44
        BatchMode mode;
        BatchMode next;
        Lines logged;
    } cases[] = {
        {"done",
         [](TestForm& t) {
             writeOutput(t, 10);
             t.processes.exit(4001, 0);
             runUntil(t, at(23, 59, 55));
         },
         modeDone,
         modeKill,
         {"00:00:06 (00:00:00) KILL process:4001 result:0"}},
        {"kill",
         [](TestForm& t) {
             t.BoxTimeout.setText("0");
             writeOutput(t, 10);
             runUntil(t, at(23, 59, 55));
         },
         modeKill,
         modeRun,
         {"00:00:06 (00:00:00) /opt/proc/run  /c /s \"\"  /p \"/work/clips/quorbin.avs\" "
          "\"/work/clips/aP.avi\" /r /x",
          "00:00:06 (00:00:00) RUN process:4002 file:a.avi"}},
        {"abort",
         [](TestForm& t) {
             runUntil(t, at(23, 59, 55));
             t.buttonAbort.click();
         },
         modeAbort,
         modeIdle,
         {"00:00:06 (00:00:00) IDLE"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestForm t;
        arrange(t, at(23, 59, 44));
        t.buttonStart.click();
        c.reach(t);
        ASSERT_EQ(t.state().mode, c.mode);
        ASSERT_EQ(t.state().elapsed, 0);
        const std::size_t from = t.listLog.lines.size();
        runUntil(t, at(0, 0, 5.5));
        EXPECT_EQ(t.state().mode, c.mode);
        EXPECT_EQ(t.state().elapsed, 10);
        EXPECT_EQ(t.labelTime.caption(), "00:00:10");
        EXPECT_EQ(linesSince(t, from), Lines{});
        t.tick();
        EXPECT_EQ(t.state().mode, c.next);
        EXPECT_EQ(linesSince(t, from), c.logged);
    }
}

TEST(Midnight, IdleAcrossMidnightKeepsTheLabelEmptyAndElapsedCounting) {
    // Stopped just before midnight: Start after it shows the seconds since the Stop.
    {
        TestForm t;
        arrange(t, at(23, 59, 40));
        runUntil(t, at(23, 59, 50));
        t.buttonStop.click();
        runUntil(t, at(0, 0, 30));
        EXPECT_EQ(t.labelTime.caption(), "");
        const std::size_t from = t.listLog.lines.size();
        t.buttonStart.click();
        ASSERT_FALSE(linesSince(t, from).empty());
        EXPECT_EQ(linesSince(t, from).front(), "00:00:30 (00:00:40) START");
    }
    // No mode change since start-up: the elapsed count is the seconds since the first
    // midnight, and it goes on past 24 hours.
    {
        TestForm t;
        arrange(t, at(23, 59, 40));
        runUntil(t, at(0, 0, 30));
        EXPECT_EQ(t.labelTime.caption(), "");
        const std::size_t from = t.listLog.lines.size();
        t.buttonStart.click();
        ASSERT_FALSE(linesSince(t, from).empty());
        EXPECT_EQ(linesSince(t, from).front(), "00:00:30 (24:00:30) START");
    }
}

TEST(Midnight, TimeoutAndStallFireAtTheirElapsedTimeAfterMidnight) {
    const struct {
        const char* name;
        double startAt;
        const char* timeout;
        double decidedAt;
        std::string decided;
    } cases[] = {
        {"time-out of half a minute", at(23, 59, 45), "0.5", at(0, 0, 16), "00:00:16 (00:00:31) TIMEOUT"},
        {"time-out of a minute", at(23, 59, 30), "1", at(0, 0, 31), "00:00:31 (00:01:01) TIMEOUT"},
        {"stall", at(23, 55, 0), "60", at(0, 0, 12), "00:00:12 (00:05:12) SIZE TIMEOUT"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestForm t;
        arrange(t, c.startAt, c.timeout);
        t.buttonStart.click();
        writeOutput(t, 4096);
        const std::size_t from = t.listLog.lines.size();
        runUntil(t, c.decidedAt - 0.5);
        EXPECT_EQ(t.state().mode, modeRun);
        ASSERT_EQ(linesSince(t, from).size(), 1u); // the size seen at elapsed 11
        t.tick();
        const Lines lines = linesSince(t, from);
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[1], c.decided);
    }
}

TEST(Midnight, ShiftPulseKeepsComingAfterMidnight) {
    TestForm t;
    t.clock.set(at(23, 59, 29.5));
    t.start();
    std::vector<double> pulses;
    for (int i = 0; i < 2 * 190; ++i) {
        const std::size_t before = t.keyboard.calls.size();
        t.tick();
        if (t.keyboard.calls.size() != before)
            pulses.push_back(t.clock.timerSeconds());
    }
    const std::vector<double> expected{at(23, 59, 30), at(0, 0, 30.5), at(0, 1, 30.5), at(0, 2, 30.5)};
    EXPECT_EQ(pulses, expected);
    EXPECT_EQ(t.keyboard.calls.size(), 2 * expected.size());
}

// A whole job across midnight: every line shows the time of day of its tick, the
// elapsed field counts on from before midnight.
TEST(Midnight, LogLinesShowTheNewDayAndTheElapsedTimeOfTheMode) {
    TestForm t;
    arrange(t, at(23, 59, 50));
    t.buttonStart.click();
    writeOutput(t, 100);
    runUntil(t, at(0, 0, 20));
    writeOutput(t, 200);
    runUntil(t, at(0, 0, 40));
    t.processes.exit(4001, 0);
    runUntil(t, at(0, 0, 51));
    runUntil(t, at(0, 1, 2.5));
    const Lines expected{
        "23:59:50 (00:00:00) START",
        "23:59:50 (00:00:00) /opt/proc/run  /c /s \"\"  /p \"/work/clips/quorbin.avs\" "
        "\"/work/clips/aP.avi\" /r /x",
        "23:59:50 (00:00:00) RUN process:4001 file:a.avi",
        "00:00:01 (00:00:11) FILE size:100",
        "00:00:20 (00:00:30) FILE size:200",
        "00:00:40 (00:00:50) EXIT code:0",
        "00:00:40 (00:00:00) DONE",
        "00:00:51 (00:00:00) KILL process:4001 result:0",
        "00:01:02 (00:00:00) /opt/proc/run  /c /s \"\"  /p \"/work/clips/quorbin.avs\" "
        "\"/work/clips/bP.avi\" /r /x",
        "00:01:02 (00:00:00) RUN process:4002 file:b.avi",
    };
    EXPECT_EQ(t.listLog.lines, expected);
}

// The wall clock that jumps at night must not end a job that is doing well: an hour
// forward at daylight saving, or a night asleep, is no time the job ran without growing,
// nor time counted toward the time-out. The log's time of day follows the wall clock.
TEST(Midnight, AJumpOfTheWallClockNeitherStallsNorTimesOutAJob) {
    const struct {
        const char* name;
        double jumpFrom;
        double jumpTo;
    } cases[] = {
        {"daylight saving begins", at(1, 59, 59.5), at(3, 0, 0)},
        {"asleep until morning", at(1, 59, 59.5), at(7, 30, 0)},
        {"daylight saving ends", at(2, 59, 59.5), at(2, 0, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestForm t;
        arrange(t, c.jumpFrom - 600, "20");
        t.buttonStart.click();
        std::size_t bytes = 0;
        while (t.clock.timerSeconds() != c.jumpFrom) {
            writeOutput(t, bytes += 100);
            t.tick();
        }
        ASSERT_EQ(t.state().elapsed, 600);
        writeOutput(t, bytes += 100);
        const std::size_t from = t.listLog.lines.size();
        t.clock.setWallClock(c.jumpTo);
        t.tick();
        t.tick();
        if (t.state().mode != modeRun) {
            ADD_FAILURE() << "the jump ended the job";
            continue;
        }
        EXPECT_EQ(t.labelTime.caption(), "00:10:01");
        const Lines sizeLine{formatTime(static_cast<std::int32_t>(c.jumpTo)) +
                             " (00:10:01) FILE size:" + std::to_string(bytes)};
        EXPECT_EQ(linesSince(t, from), sizeLine);
        // The time-out of 20 minutes still comes after 20 minutes of the job.
        for (int i = 0; i < 2 * 600 && t.state().mode == modeRun; ++i) {
            writeOutput(t, bytes += 100);
            t.tick();
        }
        EXPECT_EQ(t.state().mode, modeKill);
        EXPECT_EQ(t.state().elapsed, 0);
        const Lines& log = t.listLog.lines;
        EXPECT_EQ(log.size() > 2 ? log[log.size() - 2].substr(8) : "", " (00:20:01) TIMEOUT");
    }
}
