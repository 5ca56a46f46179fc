#include "batch/BatchRecordText.h"
#include "fakes/TestForm.h"

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

using namespace quorbin;
using namespace quorbin::test;

namespace {

using Lines = std::vector<std::string>;
const std::string folder = native("/home/ana/Videos/");
const std::string shown = native("/home/ana/Videos");

void arrange(TestForm& t) {
    t.settings.values[{"file", "exePath"}] = "/opt/proc";
    t.settings.values[{"file", "avsPath"}] = "/tpl.avs";
    t.files.files["/tpl.avs"] = "Open($FILE)";
    // The fake file system keeps its paths with '/'.
    t.files.folders.insert("/home/ana/Videos/");
    for (const char* name : {"a.avi", "b.avi", "c.avi", "d.avi"})
        t.files.files[std::string("/home/ana/Videos/") + name] = "input";
}

// The tool of the night before: a.avi done, b.avi unticked, c.avi running, when the
// machine went down. Its records and files are what the next start finds.
void interruptedNight(TestForm& night) {
    arrange(night);
    night.start();
    night.useFiles(folder, {"a.avi", "b.avi", "c.avi", "d.avi"}, {0, 2, 3});
    night.buttonStart.click();
    night.files.files["/home/ana/Videos/aP.avi"] = "out";
    night.processes.exit(4001, 0);
    night.run(33); // exit, done, kill: c.avi is launched
    ASSERT_EQ(night.messagesLogged().back(), "RUN process:4002 file:c.avi");
}

// The next start, over what the night left.
void nextMorning(TestForm& morning, const TestForm& night) {
    morning.files = night.files;
    morning.files.cwd = "/";
    morning.records = night.records;
    arrange(morning);
    morning.start();
    morning.form->offerInterruptedBatch();
}

} // namespace

TEST(BatchJournal, AnInterruptedBatchIsOfferedAndGoesOnFromTheInterruptedFile) {
    TestForm night;
    interruptedNight(night);
    EXPECT_EQ(night.records.records.size(), 1u);
    const Result<RecordedBatch> recorded = parseRecord(night.records.of(folder));
    ASSERT_TRUE(recorded) << recorded.error();
    EXPECT_EQ(recorded->mode, modeRun);
    EXPECT_EQ(recorded->job, (ProcessIdentity{4002, "t4002"}));
    EXPECT_TRUE(night.claims.held.count(folder));

    TestForm morning;
    morning.messages.answers = {true};
    nextMorning(morning, night);
    ASSERT_EQ(morning.messages.asked.size(), 1u);
    EXPECT_EQ(morning.messages.asked[0].text,
              "The batch of 3 files in " + shown + " was interrupted at c.avi, with 1 done. Restore it?");
    EXPECT_EQ(morning.messages.asked[0].title, "quorbin");

    // The list as it was, the cursor on the interrupted file; nothing started.
    const FakeListBox& list = morning.listFiles;
    ASSERT_EQ(list.count(), 4);
    EXPECT_EQ(
        (std::vector<bool>{list.isSelected(0), list.isSelected(1), list.isSelected(2), list.isSelected(3)}),
        (std::vector<bool>{true, false, true, true}));
    EXPECT_EQ(list.badgeOf("a.avi").mark, EntryMark::finished);
    EXPECT_EQ(list.currentIndex(), 2);
    EXPECT_EQ(morning.files.cwd, "/home/ana/Videos/");
    EXPECT_EQ(morning.boxCmdLine.text().find("cP.avi") != std::string::npos, true);
    EXPECT_TRUE(morning.processes.launches.empty());
    EXPECT_TRUE(morning.listLog.lines.empty());

    morning.buttonStart.click();
    EXPECT_EQ(morning.messagesLogged().back(), "RUN process:4001 file:c.avi");
}

// Yes ends a program the interrupted batch left running; an id now worn by a process
// that started at another time is a stranger and is left alone.
TEST(BatchJournal, ALiveLeftoverIsEndedAndAStrangerWithItsIdIsNot) {
    for (const bool stranger : {false, true}) {
        TestForm night;
        interruptedNight(night);
        TestForm morning;
        morning.processes.leftovers[4002] = stranger ? "t9999" : "t4002";
        morning.messages.answers = {true};
        nextMorning(morning, night);

        ASSERT_EQ(morning.messages.asked.size(), 1u);
        const std::string& question = morning.messages.asked[0].text;
        EXPECT_EQ(question.find("Its program (process 4002) is still running") != std::string::npos,
                  !stranger);
        EXPECT_EQ(morning.processes.endedLeftovers,
                  stranger ? std::vector<std::int64_t>{} : std::vector<std::int64_t>{4002});
        EXPECT_EQ(morning.listFiles.count(), 4);
    }
}

TEST(BatchJournal, WhatIsNotOfferedStartsTheToolAsToday) {
    const struct {
        const char* what;
        std::string record;
        bool claimedElsewhere;
        bool traced; // one line on standard error
    } cases[] = {
        {"damaged", "quorbin batch 1\nfolder /home/ana/Videos/\nmode 1\nentry + finished x\nend\n", false,
         true},
        {"cut off", "quorbin batch 1\nfolder /home/ana/Videos/\nmode 1\n", false, true},
        {"foreign", "[file]\nexePath=/bin/true\n", false, true},
        {"ended", "quorbin batch 1\nfolder /home/ana/Videos/\nmode 0\ncursor 0\nend\n", false, false},
        {"claimed by a running instance",
         "quorbin batch 1\nfolder /home/ana/Videos/\nmode 1\ncursor 0\nend\n", true, false},
        {"its files gone", formatRecord({folder, modeRun, 0, {}, "x.avi", {{"x.avi", true}}}), false, true},
    };
    for (const auto& c : cases) {
        TestForm t;
        arrange(t);
        t.records.records = {{folder, c.record}};
        if (c.claimedElsewhere)
            t.claims.elsewhere.insert("/home/ana/Videos/"); // as the record names it
        std::ostringstream trace;
        std::streambuf* const before = std::cerr.rdbuf(trace.rdbuf());
        t.start();
        t.form->offerInterruptedBatch();
        std::cerr.rdbuf(before);
        EXPECT_TRUE(t.messages.asked.empty()) << c.what;
        EXPECT_EQ(t.listFiles.count(), 0) << c.what;
        const std::string traced = trace.str();
        EXPECT_EQ(std::count(traced.begin(), traced.end(), '\n'), c.traced ? 1 : 0)
            << c.what << ": " << traced;
        if (std::string(c.what) == "its files gone") {
            EXPECT_TRUE(t.records.records.empty()) << "not offered again at the next start";
        }
    }
}

// No: the batch is forgotten. A batch that reached mode 0 is forgotten too, and Start
// in a folder that another instance runs a batch in starts nothing.
TEST(BatchJournal, RecordsLastUntilTheBatchIsBackInModeZero) {
    TestForm night;
    interruptedNight(night);
    TestForm morning;
    morning.messages.answers = {false};
    nextMorning(morning, night);
    EXPECT_TRUE(morning.records.records.empty());

    night.buttonStop.click();
    EXPECT_TRUE(night.records.records.empty());
    EXPECT_TRUE(night.claims.held.empty());

    TestForm other;
    arrange(other);
    other.start();
    other.useFiles(folder, {"a.avi"}, {0});
    other.claims.elsewhere.insert(folder);
    other.buttonStart.click();
    EXPECT_TRUE(other.listLog.lines.empty());
    EXPECT_TRUE(other.processes.launches.empty());
    ASSERT_EQ(other.messages.shown.size(), 1u);
    EXPECT_EQ(other.messages.shown[0].text.rfind("Another Quorbin is running a batch in " + shown + ":", 0),
              0u);
}

TEST(BatchRecordText, ARecordReadsBackAsItWasWritten) {
    RecordedBatch batch;
    batch.folder = "/home/ana/odd \\ name\n/";
    batch.mode = modeKill;
    batch.cursor = 3;
    batch.job = {4711, "boot:123"};
    batch.jobFile = "c d.avi";
    batch.entries = {{"a.avi", true, OutcomeKind::failed, -2, 1, 75},
                     {"x\ry.avi", false, OutcomeKind::none, 0, 0, 0}};
    const std::string text = formatRecord(batch);
    EXPECT_EQ(parseRecord(text), batch);
    EXPECT_FALSE(parseRecord(text.substr(0, text.size() - 4))); // cut off in "end"
}
