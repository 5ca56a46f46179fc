#include "batch/OutcomeText.h"
#include "fakes/TestForm.h"
#include "platform/WhenDoneItems.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quorbin;
using namespace quorbin::test;

namespace {

const std::string folder = "/jobs/";

void arrange(TestForm& t, const std::vector<std::string>& names, const std::vector<int>& selected) {
    t.storeProgramAndTemplate();
    t.start();
    t.useFiles(folder, names, selected);
}

// Ticks until the mode is `mode`, at most an hour.
void runUntilMode(TestForm& t, BatchMode mode) {
    for (int i = 0; i < 7200 && t.state().mode != mode; ++i)
        t.tick();
    ASSERT_EQ(t.state().mode, mode);
}

// The job's program writes its output and exits; the batch goes on to the next launch.
void exitWith(TestForm& t, ProcessHandle handle, const std::string& output, std::uint32_t code) {
    t.files.files[folder + output] = "data";
    t.processes.exit(handle, code);
    runUntilMode(t, modeDone);
    runUntilMode(t, modeKill);
}

} // namespace

// Exit 0, exit 1, a stall, a time-out then exit 0, then Stop: each entry shows how its
// job went, the taskbar follows, and the end of the batch (not Stop) says it in one line.
TEST(FileOutcomes, ABatchStoryLeavesEachEntryItsOutcome) {
    TestForm t;
    arrange(t, {"a.avi", "b.avi", "c.avi", "d.avi", "e.avi"}, {0, 1, 2, 3});
    const FakeListBox& list = t.listFiles;

    t.buttonStart.click();
    EXPECT_EQ(list.badgeOf("a.avi").mark, EntryMark::running);
    EXPECT_EQ(list.badgeOf("a.avi").details, "Running since 12:00:00.");
    EXPECT_EQ(t.taskbar.shown, "0/4");

    exitWith(t, 4001, "aP.avi", 0);
    EXPECT_EQ(list.badgeOf("a.avi"),
              (EntryBadge{EntryMark::finished, "finished", "Finished with exit code 0 after 00:00:11."}));
    EXPECT_EQ(t.taskbar.shown, "1/4");

    runUntilMode(t, modeRun);
    t.processes.say(4002, "frame=1\rframe=2\rno such encoder: x264\n");
    exitWith(t, 4002, "bP.avi", 1);
    const EntryBadge failed = list.badgeOf("b.avi");
    EXPECT_EQ(failed.mark, EntryMark::failed);
    EXPECT_EQ(failed.summary, "exited with code 1");
    EXPECT_EQ(failed.details,
              "Exited with code 1 after 00:00:11.\nIts last messages:\nframe=2\nno such encoder: x264\n");

    runUntilMode(t, modeRun);
    t.files.files[folder + "cP.avi"] = "stuck";
    t.run(100);
    t.buttonPause.click();
    EXPECT_EQ(t.taskbar.shown, "2/4 paused");
    t.buttonPause.click();
    runUntilMode(t, modeDone);
    EXPECT_EQ(list.badgeOf("c.avi").mark, EntryMark::stalled);
    runUntilMode(t, modeKill);

    runUntilMode(t, modeRun);
    t.BoxTimeout.type("0.5");
    for (int i = 0; t.state().mode == modeRun && i < 200; ++i) {
        t.files.files[folder + "dP.avi"] += "x";
        t.tick();
    }
    runUntilMode(t, modeRun);
    EXPECT_EQ(list.badgeOf("d.avi").details, "Running since 12:06:40, after 1 time-out.");
    t.BoxTimeout.type("60");
    exitWith(t, 4005, "dP.avi", 0);
    EXPECT_TRUE(t.notifier.notes.empty());
    runUntilMode(t, modeIdle);

    EXPECT_EQ(list.badgeOf("d.avi").details, "Finished with exit code 0 after 00:00:53, after 1 time-out.");
    ASSERT_EQ(t.notifier.notes.size(), 1u);
    EXPECT_EQ(t.notifier.notes[0].title, "Quorbin: batch finished");
    EXPECT_EQ(t.notifier.notes[0].text,
              "4 files: 2 finished, 1 exited with code 1 (b.avi), 1 stalled (c.avi); 1 time-out");
    EXPECT_EQ(t.taskbar.shown, "");
    EXPECT_EQ(t.files.read(folder + "quorbin.program.log"),
              "=== 12:00:33 b.avi\nframe=2\nno such encoder: x264\n");

    t.listFiles.userToggle(4);
    t.listFiles.userClick(4);
    t.buttonStart.click();
    t.buttonStop.click();
    EXPECT_EQ(list.badgeOf("e.avi").mark, EntryMark::interrupted);
    EXPECT_EQ(list.badgeOf("e.avi").summary, "stopped");
    EXPECT_EQ(t.taskbar.shown, "");
    EXPECT_EQ(t.notifier.notes.size(), 1u);
}

TEST(FileOutcomes, TheSummaryGroupsTheFilesByHowTheyEnded) {
    using K = OutcomeKind;
    const struct {
        std::vector<SummaryFile> files;
        std::string summary;
    } cases[] = {
        {{{"a.avi", K::finished, 0, 0}}, "1 file: 1 finished"},
        {{{"a.avi", K::failed, 2, 1}, {"b.avi", K::failed, -1, 0}, {"c.avi", K::failed, 2, 2}},
         "3 files: 1 exited with code -1 (b.avi), 2 exited with code 2 (a.avi, c.avi); 3 time-outs"},
        {{{"a", K::none, 0, 0},
          {"b", K::none, 0, 0},
          {"c", K::none, 0, 0},
          {"d", K::none, 0, 0},
          {"e", K::notStarted, 0, 0}},
         "5 files: 1 not started (e), 4 not processed (a, b, c and 1 more)"},
        {{}, "0 files"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(batchSummary(c.files), c.summary);
}

// Last night's outputs picked by mistake are marked before Start.
TEST(FileOutcomes, AnEntryThatIsAnotherEntrysOutputIsMarked) {
    TestForm t;
    t.files.folders.insert(folder);
    t.start(false);
    t.dialog.choose({native("/jobs/clip.avi"), native("/jobs/clipP.avi"), native("/jobs/x"),
                     native("/jobs/xP"), native("/jobs/a.b.avi"), native("/jobs/aP.b.avi"),
                     native("/jobs/a.bP.avi"), native("/jobs/lone.avi"), native("/jobs/Y.avi"),
                     native("/jobs/yp.avi")});
    t.buttonSelectAvi.click();

    const FakeListBox& list = t.listFiles;
    EXPECT_EQ(list.badgeOf("clipP.avi"),
              (EntryBadge{EntryMark::outputOfOther, "output of clip.avi",
                          "It is the output of clip.avi, which is in the list too."}));
    EXPECT_EQ(list.badgeOf("xP").summary, "output of x");
    EXPECT_EQ(list.badgeOf("aP.b.avi").summary, "output of a.b.avi");
    for (const char* plain : {"clip.avi", "a.bP.avi", "lone.avi", "a.b.avi"})
        EXPECT_EQ(list.badgeOf(plain).mark, EntryMark::none) << plain;
    // Where names differ only in case they name one file, "yp.avi" is Y.avi's output.
    EXPECT_EQ(list.badgeOf("yp.avi").mark, fileNamesIgnoreCase ? EntryMark::outputOfOther : EntryMark::none);

    // A new pick clears the marks with the list.
    t.dialog.choose({native("/jobs/clipP.avi")});
    t.buttonSelectAvi.click();
    EXPECT_EQ(list.badgeOf("clipP.avi").mark, EntryMark::none);
}
