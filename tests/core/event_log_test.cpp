#include "log/EventLog.h"

#include "core/Form.h"
#include "fakes/TestForm.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quorbin;
using namespace quorbin::test;

namespace {

// The event log alone over the fakes of a TestForm, without the rest of the window.
struct LogRig {
    TestForm fakes;
    Form form{fakes.controls(), fakes.services()};
    EventLog log{form};

    LogRig() {
        fakes.files.folders.insert("/home/ann/jobs/");
        fakes.files.cwd = "/home/ann/jobs/";
    }
    const std::vector<std::string>& lines() const { return fakes.listLog.lines; }
    std::string logFile() const { return fakes.files.read("/home/ann/jobs/quorbin.log"); }
};

struct Stamp {
    int hours, minutes;
    double seconds;
    std::int32_t elapsed;
    std::string message;
    std::string line;
};

} // namespace

TEST(EventLog, PrefixesTheTimeOfDayAndTheElapsedTime) {
    const std::vector<Stamp> cases{
        {14, 3, 27, 65, "START", "14:03:27 (00:01:05) START"},
        {0, 0, 0, 0, "IDLE", "00:00:00 (00:00:00) IDLE"},
        {23, 59, 59, 86399, "DONE", "23:59:59 (23:59:59) DONE"},
        {9, 5, 7, 442800, "FILE size:1024", "09:05:07 (23:00:00) FILE size:1024"},
        {9, 5, 7, -605, "STOP", "09:05:07 (-1:11:-5) STOP"},
        {12, 0, 0, 0, "", "12:00:00 (00:00:00) "}, // an empty message ends with ") "
        {12, 0, 0, 0, " a  b ", "12:00:00 (00:00:00)  a  b "},
    };
    for (const auto& c : cases) {
        LogRig rig;
        rig.fakes.clock.set(c.hours, c.minutes, c.seconds);
        rig.form.state.elapsed = c.elapsed;
        rig.log.logLine(c.message);
        EXPECT_EQ(rig.lines(), std::vector<std::string>{c.line}) << "message \"" << c.message << "\"";
        EXPECT_EQ(rig.logFile(), c.line + "\r\n") << "message \"" << c.message << "\"";
    }
}

TEST(EventLog, AppendsEachLineAtTheBottomAndSelectsIt) {
    LogRig rig;
    rig.fakes.clock.set(8, 30, 0);
    rig.log.logLine("START");
    EXPECT_EQ(rig.fakes.listLog.selected, 0);
    rig.fakes.clock.set(8, 30, 1);
    rig.form.state.elapsed = 1;
    rig.log.logLine("STOP");
    rig.log.logLine("IDLE");

    const std::vector<std::string> expected{"08:30:00 (00:00:00) START", "08:30:01 (00:00:01) STOP",
                                            "08:30:01 (00:00:01) IDLE"};
    EXPECT_EQ(rig.lines(), expected);
    EXPECT_EQ(rig.fakes.listLog.selected, 2);
    EXPECT_EQ(rig.logFile(),
              "08:30:00 (00:00:00) START\r\n08:30:01 (00:00:01) STOP\r\n08:30:01 (00:00:01) IDLE\r\n");
}

TEST(EventLog, TwoIdenticalCallsGiveTwoIdenticalLines) {
    LogRig rig;
    rig.log.logLine("PAUSE");
    rig.log.logLine("PAUSE");
    const std::string line = "12:00:00 (00:00:00) PAUSE";
    EXPECT_EQ(rig.lines(), (std::vector<std::string>{line, line}));
    EXPECT_EQ(rig.logFile(), line + "\r\n" + line + "\r\n");
}

// A log file that cannot be written is no failure of the batch: the line is still
// shown and selected, nobody is told, and the next line tries the file again.
TEST(EventLog, KeepsTheLineWhenTheFileCannotBeWritten) {
    struct Obstacle {
        const char* name;
        void (*arrange)(FakeFileSystem&);
    };
    const std::vector<Obstacle> obstacles{
        {"append fails", [](FakeFileSystem& f) { f.failAppend = true; }},
        {"folder gone", [](FakeFileSystem& f) { f.folders.erase("/home/ann/jobs/"); }},
        {"folder where the file is expected",
         [](FakeFileSystem& f) { f.folders.insert("/home/ann/jobs/quorbin.log/"); }},
    };
    for (const auto& o : obstacles) {
        LogRig rig;
        o.arrange(rig.fakes.files);
        rig.log.logLine("START");
        EXPECT_EQ(rig.lines(), std::vector<std::string>{"12:00:00 (00:00:00) START"}) << o.name;
        EXPECT_EQ(rig.fakes.listLog.selected, 0) << o.name;
        EXPECT_TRUE(rig.fakes.messages.shown.empty()) << o.name;
        EXPECT_FALSE(rig.fakes.files.exists("/home/ann/jobs/quorbin.log")) << o.name;
    }

    LogRig rig;
    rig.fakes.files.failAppend = true;
    rig.log.logLine("START");
    rig.fakes.files.failAppend = false;
    rig.log.logLine("STOP");
    EXPECT_EQ(rig.logFile(), "12:00:00 (00:00:00) STOP\r\n");
    EXPECT_EQ(rig.lines().size(), 2u);
}

// The log file is addressed by its bare name, so it follows the working folder: what
// start-up made current first, then the folder of each pick of input files.
TEST(EventLog, LinesFollowTheWorkingFolder) {
    TestForm t;
    t.files.folders.insert("/home/ann/monday/");
    t.files.folders.insert("/home/ann/tuesday/");
    t.settings.values[{"file", "aviPath"}] = "/home/ann/monday/";
    t.start();
    t.buttonStop.click();
    const std::string mondayLog = t.files.read("/home/ann/monday/quorbin.log");
    EXPECT_EQ(mondayLog, "12:00:00 (00:00:00) STOP\r\n12:00:00 (00:00:00) IDLE\r\n");

    t.dialog.choose({native("/home/ann/tuesday/clip.avi")});
    t.buttonSelectAvi.click();
    t.clock.set(12, 0, 5);
    t.buttonStop.click();

    EXPECT_EQ(t.files.read("/home/ann/monday/quorbin.log"), mondayLog);
    EXPECT_EQ(t.files.read("/home/ann/tuesday/quorbin.log"),
              "12:00:05 (00:00:00) STOP\r\n12:00:05 (00:00:00) IDLE\r\n");
    EXPECT_EQ(t.listLog.lines.size(), 4u);
}

// The log file is read by people: what its code page lacks shows as "?" there, while the
// window shows the line as it is.
TEST(EventLog, ACharacterTheLogFilesCodePageLacksIsMarkedThereOnly) {
    LogRig rig;
    rig.fakes.text.lacking = {"\xE4\xB8\xAD"};
    rig.log.logLine("RUN process:1 file:\xE4\xB8\xAD.avi");
    EXPECT_EQ(rig.lines(),
              std::vector<std::string>{"12:00:00 (00:00:00) RUN process:1 file:\xE4\xB8\xAD.avi"});
    EXPECT_EQ(rig.logFile(), "12:00:00 (00:00:00) RUN process:1 file:?.avi\r\n");
}
