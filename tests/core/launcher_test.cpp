#include "batch/FileOutcomes.h"
#include "batch/ProcessLauncher.h"
#include "batch/ProgramMessages.h"

#include "core/Form.h"
#include "fakes/TestForm.h"
#include "job/JobBuilder.h"
#include "log/EventLog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quorbin;
using namespace quorbin::test;

namespace {

const std::string folder = "/home/ann/jobs/";
const std::string program = "/opt/tools/proc";
const std::string commandOfClip =
    R"( /c /s "/home/ann/set/fast.vcf"  /p "/home/ann/jobs/quorbin.avs" "/home/ann/jobs/clipP.avi" /r /x)";

// The launcher and the routines it builds on, over the fakes of a TestForm, with the
// job of clip.avi prepared as the batch controller would have left it.
struct LaunchRig {
    TestForm fakes;
    Form form{fakes.controls(), fakes.services()};
    EventLog log{form};
    JobBuilder jobs{form};
    FileOutcomes outcomes{form};
    ProgramMessages programMessages{form};
    ProcessLauncher launcher{form, log, jobs, outcomes, programMessages};

    explicit LaunchRig(const std::string& templateText = "Open($FILE)") {
        fakes.files.folders.insert(folder);
        fakes.files.cwd = folder;
        BatchState& s = form.state;
        s.exePath = program;
        s.vcfPath = "/home/ann/set/fast.vcf";
        s.aviPath = folder;
        s.currentFile = "clip.avi";
        fakes.boxTemplate.setText(templateText);
        jobs.makeScript();
        jobs.makeCmdLine();
    }
    std::vector<std::string> messagesLogged() const { return fakes.messagesLogged(); }
    std::string jobScript() const { return fakes.files.read(folder + "quorbin.avs"); }
};

} // namespace

// The program line shows two blanks before /c: one joins, the other starts the
// command line. The run line has no blank after either colon.
TEST(RunProcess, LogsTheProgramLineThenTheRunLine) {
    LaunchRig rig;
    ASSERT_EQ(rig.fakes.boxCmdLine.text(), commandOfClip);

    rig.launcher.runProcess();

    const std::vector<std::string> expected{
        program + "  /c /s \"/home/ann/set/fast.vcf\"  /p "
                  "\"/home/ann/jobs/quorbin.avs\" \"/home/ann/jobs/clipP.avi\" /r /x",
        "RUN process:4001 file:clip.avi"};
    EXPECT_EQ(rig.messagesLogged(), expected);
    EXPECT_EQ(rig.form.state.hProcess, 4001);
    EXPECT_TRUE(rig.fakes.messages.shown.empty());
}

// The command line box carries the job: what the user typed there is what runs.
TEST(RunProcess, PassesAndLogsAnEditedCommandLineExactlyAsEdited) {
    LaunchRig rig;
    const std::string edited = R"( /c /s "/home/ann/set/slow.vcf" /p  "odd name.avs"   /x )";
    rig.fakes.boxCmdLine.setText(edited);

    rig.launcher.runProcess();

    ASSERT_EQ(rig.fakes.processes.launches.size(), 1u);
    EXPECT_EQ(rig.fakes.processes.launches[0].parameters, edited);
    EXPECT_EQ(rig.messagesLogged().at(0), program + " " + edited);
}

// The program runs in the working folder, whatever the current directory is.
TEST(RunProcess, LaunchRequestNamesProgramParametersAndWorkingFolder) {
    LaunchRig rig;
    rig.fakes.files.cwd = "/";

    rig.launcher.runProcess();

    ASSERT_EQ(rig.fakes.processes.launches.size(), 1u);
    const LaunchRequest& request = rig.fakes.processes.launches[0];
    EXPECT_EQ(request.verb, "open");
    EXPECT_EQ(request.file, program);
    EXPECT_EQ(request.parameters, commandOfClip);
    EXPECT_EQ(request.directory, folder);
    EXPECT_EQ(request.show, 1);
}

// The old output is gone and the new job script is in place before the program can
// open them, whether or not a process then starts.
TEST(RunProcess, DeletesTheOldOutputAndWritesTheScriptBeforeTheLaunch) {
    for (const bool fails : {false, true}) {
        LaunchRig rig;
        rig.fakes.processes.failLaunch = fails;
        rig.fakes.files.files[folder + "clipP.avi"] = "output of an earlier run";
        rig.fakes.files.files[folder + "quorbin.avs"] = "script of an earlier job\r\n";
        bool outputThere = true;
        std::string scriptThere;
        rig.fakes.processes.onLaunch = [&](const LaunchRequest&) {
            outputThere = rig.fakes.files.exists(folder + "clipP.avi");
            scriptThere = rig.jobScript();
        };

        rig.launcher.runProcess();

        EXPECT_EQ(rig.fakes.processes.launches.size(), 1u) << "launch fails: " << fails;
        EXPECT_FALSE(outputThere) << "launch fails: " << fails;
        EXPECT_EQ(scriptThere, "Open(/home/ann/jobs/clip.avi)\r\n") << "launch fails: " << fails;
        EXPECT_FALSE(rig.fakes.files.exists(folder + "clipP.avi")) << "launch fails: " << fails;
    }
}

// A program that cannot be started: both lines are logged, the second with process 0,
// and between them a box gives the system's reason.
TEST(RunProcess, AMissingProgramGivesItsReasonBetweenTheLinesAndProcessZero) {
    LaunchRig rig;
    rig.fakes.processes.failLaunch = true;
    std::size_t linesWhenShown = 0;
    rig.fakes.messages.whileShown = [&] { linesWhenShown = rig.messagesLogged().size(); };

    rig.launcher.runProcess();

    const std::vector<std::string> expected{program + " " + commandOfClip, "RUN process:0 file:clip.avi"};
    EXPECT_EQ(rig.messagesLogged(), expected);
    EXPECT_EQ(rig.form.state.hProcess, 0);
    ASSERT_EQ(rig.fakes.messages.shown.size(), 1u);
    EXPECT_EQ(rig.fakes.messages.shown[0].text,
              "The program " + program + " could not be started: No such file or directory");
    EXPECT_EQ(rig.fakes.messages.shown[0].title, "quorbin");
    EXPECT_EQ(linesWhenShown, 1u);
}

// The job script's failure is told in its own message box; the launch goes ahead.
TEST(RunProcess, AnUnwritableWorkingFolderGivesTheScriptMessageThenTheLaunch) {
    struct Obstacle {
        const char* name;
        void (*arrange)(FakeFileSystem&);
    };
    const std::vector<Obstacle> obstacles{
        {"folder gone", [](FakeFileSystem& f) { f.folders.erase(folder); }},
        {"folder where the script is expected",
         [](FakeFileSystem& f) { f.folders.insert(folder + "quorbin.avs/"); }},
    };
    for (const auto& o : obstacles) {
        LaunchRig rig;
        o.arrange(rig.fakes.files);
        std::size_t messagesAtLaunch = 0;
        rig.fakes.processes.onLaunch = [&](const LaunchRequest&) {
            messagesAtLaunch = rig.fakes.messages.shown.size();
        };

        rig.launcher.runProcess();

        ASSERT_EQ(rig.fakes.messages.shown.size(), 1u) << o.name;
        EXPECT_EQ(rig.fakes.messages.shown[0].title, "quorbin") << o.name;
        EXPECT_NE(rig.fakes.messages.shown[0].text.find("quorbin.avs"), std::string::npos) << o.name;
        EXPECT_EQ(messagesAtLaunch, 1u) << o.name;
        EXPECT_EQ(rig.fakes.processes.launches.size(), 1u) << o.name;
        const std::vector<std::string> expected{program + " " + commandOfClip,
                                                "RUN process:4001 file:clip.avi"};
        EXPECT_EQ(rig.messagesLogged(), expected) << o.name;
        EXPECT_EQ(rig.jobScript(), "") << o.name;
    }
}

// Every launch counts the first non-empty size of the new output as a change.
TEST(RunProcess, ForgetsTheLastOutputSize) {
    LaunchRig rig;
    rig.form.state.lastSize = 5'000'000'000;
    rig.launcher.runProcess();
    EXPECT_EQ(rig.form.state.lastSize, 0);
}

TEST(RunProcess, JobScriptHoldsTheScriptBoxFollowedByCarriageReturnLineFeed) {
    struct Script {
        std::string templateText;
        std::string file;
    };
    const std::vector<Script> cases{
        {"Open($FILE)", "Open(/home/ann/jobs/clip.avi)\r\n"},
        {"", "\r\n"},
        {"Open($FILE)\r\n", "Open(/home/ann/jobs/clip.avi)\r\n\r\n"},
        {"Open($FILE)\r\nSharpen(0.4)", "Open(/home/ann/jobs/clip.avi)\r\nSharpen(0.4)\r\n"},
    };
    for (const auto& c : cases) {
        LaunchRig rig(c.templateText);
        rig.fakes.files.files[folder + "quorbin.avs"] = "a much longer script of an earlier job\r\n";
        rig.launcher.runProcess();
        EXPECT_EQ(rig.jobScript(), c.file) << "template \"" << c.templateText << "\"";
    }
}

// The script box carries the job as well: a hand edit is what the program reads.
TEST(RunProcess, WritesAnEditedScriptAsEdited) {
    LaunchRig rig;
    rig.fakes.boxScript.setText("Open(\"/elsewhere/other.avi\")");
    rig.launcher.runProcess();
    EXPECT_EQ(rig.jobScript(), "Open(\"/elsewhere/other.avi\")\r\n");
}

// A launch that started nothing still replaces the handle, and the earlier one is no
// longer needed by anybody. A new process may get the earlier handle again (a reaped
// process id comes back on Linux): that one is watched now, and is not released.
TEST(RunProcess, ReleasesTheHandleItReplacesButNeverTheNewProcess) {
    struct Case {
        const char* what;
        bool failLaunch;
        ProcessHandle next;
        ProcessHandle watched;
        std::vector<ProcessHandle> released;
    };
    for (const Case& c : {Case{"nothing started", true, 4002, 0, {4001}},
                          Case{"the same handle again", false, 4001, 4001, {}}}) {
        SCOPED_TRACE(c.what);
        LaunchRig rig;
        rig.launcher.runProcess();
        rig.fakes.processes.exit(4001, 0);
        rig.fakes.processes.failLaunch = c.failLaunch;
        rig.fakes.processes.nextHandle = c.next;

        rig.launcher.runProcess();

        EXPECT_EQ(rig.form.state.hProcess, c.watched);
        EXPECT_EQ(rig.fakes.processes.releasedHandles, c.released);
        // Only what the ended job may have left in its group: no kill line.
        EXPECT_EQ(rig.fakes.processes.terminated, std::vector<ProcessHandle>{4001});
    }
}

// The job script is in the code page that the processing program reads. The input
// file's path, where that code page lacks one of its characters, is written as another
// name of the same file; without one, or for a character elsewhere in the script, no
// script is written and the message says why.
TEST(WriteScript, APathTheProgramsCodePageLacksIsWrittenAsTheFilesOtherName) {
    const std::string lacking = "\xC4\x80"; // U+0100
    LaunchRig rig;
    rig.fakes.text.lacking = {lacking};
    rig.form.state.currentFile = lacking + ".avi";
    rig.jobs.makeScript();
    rig.fakes.text.otherNames[folder + lacking + ".avi"] = folder + "A~1.AVI";

    rig.jobs.writeScript();
    EXPECT_EQ(rig.jobScript(), "Open(" + folder + "A~1.AVI)\r\n");
    EXPECT_TRUE(rig.fakes.messages.shown.empty());

    rig.fakes.text.otherNames.clear();
    rig.jobs.writeScript();
    EXPECT_FALSE(rig.fakes.files.exists(folder + "quorbin.avs")) << "no script for another file is left";
    ASSERT_EQ(rig.fakes.messages.shown.size(), 1u);
    EXPECT_NE(rig.fakes.messages.shown[0].text.find("\"quorbin.avs\""), std::string::npos);
    EXPECT_NE(rig.fakes.messages.shown[0].text.find(folder + lacking + ".avi"), std::string::npos);

    rig.fakes.text.otherNames[folder + lacking + ".avi"] = folder + "A~1.AVI";
    rig.fakes.boxScript.setText("# " + lacking + "\r\n" + rig.fakes.boxScript.text());
    rig.jobs.writeScript();
    EXPECT_FALSE(rig.fakes.files.exists(folder + "quorbin.avs"));
    ASSERT_EQ(rig.fakes.messages.shown.size(), 2u);
    EXPECT_NE(rig.fakes.messages.shown[1].text.find(lacking), std::string::npos);
}
