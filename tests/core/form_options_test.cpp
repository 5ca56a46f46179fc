#include "fakes/TestForm.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quorbin;
using namespace quorbin::test;

namespace {

const std::string folder = "/jobs/";

// A batch of two files whose program cannot be started, over a minute and more.
void runWithoutProgram(TestForm& t) {
    t.storeProgramAndTemplate();
    t.files.folders.insert({"/node/", "/logs/"});
    t.processes.failLaunch = true;
    t.start();
    t.useFiles(folder, {"a.avi", "b.avi"}, {0, 1});
    t.buttonStart.click();
    t.run(80);
}

std::vector<std::string> withoutProgramLines(const std::vector<std::string>& lines) {
    std::vector<std::string> kept;
    for (const std::string& line : lines)
        if (line.rfind("/opt/proc ", 0) != 0)
            kept.push_back(line);
    return kept;
}

} // namespace

// The window waits at a launch that started nothing, with the reason in a box, for the
// user; the runner without a window ends the file as not started, after the settle time,
// and goes on through the same modes and log lines.
TEST(FormOptions, ALaunchThatStartsNothingEndsItsFileOnlyWhereAsked) {
    TestForm window;
    runWithoutProgram(window);
    EXPECT_EQ(window.state().mode, modeRun);
    EXPECT_EQ(withoutProgramLines(window.messagesLogged()),
              (std::vector<std::string>{"START", "RUN process:0 file:a.avi"}));

    TestForm runner;
    runner.options.endJobsNotStarted = true;
    runWithoutProgram(runner);
    EXPECT_EQ(runner.state().mode, modeIdle);
    EXPECT_EQ(
        withoutProgramLines(runner.messagesLogged()),
        (std::vector<std::string>{"START", "RUN process:0 file:a.avi", "DONE", "KILL process:0 result:0",
                                  "RUN process:0 file:b.avi", "DONE", "COMPLETE all files processed",
                                  "KILL process:0 result:0", "COMPLETE all files processed", "IDLE"}));
    EXPECT_EQ(runner.listLog.lines[3].substr(0, 13), "12:00:11 (00:"); // DONE once settled
    EXPECT_EQ(runner.form->outcomes().summary(), "2 files: 2 not started (a.avi, b.avi)");
    EXPECT_EQ(runner.messages.shown.size(), 2u);
}

// The job script, the log and the program's messages go where the front end puts them,
// and the command line names the script where it is; by default all three are in the
// working folder.
TEST(FormOptions, TheScriptAndTheLogsGoWhereTheyAreSent) {
    struct Case {
        FormOptions options;
        std::string script, log, scriptInCommandLine;
    };
    const Case cases[] = {
        {{}, folder + "quorbin.avs", folder + "quorbin.log", "/p \"" + folder + "quorbin.avs\""},
        {{"/node/", "/logs/3.log", "", false},
         "/node/quorbin.avs",
         "/logs/3.log",
         "/p \"/node/quorbin.avs\""},
    };
    for (const Case& c : cases) {
        TestForm t;
        t.options = c.options;
        runWithoutProgram(t);
        EXPECT_TRUE(t.files.exists(c.script)) << c.script;
        EXPECT_NE(t.files.read(c.log).find("RUN process:0 file:a.avi"), std::string::npos) << c.log;
        EXPECT_NE(t.boxCmdLine.text().find(c.scriptInCommandLine), std::string::npos) << t.boxCmdLine.text();
        EXPECT_EQ(t.files.files.count(folder + "quorbin.log"), c.options.logFile.empty() ? 1u : 0u);
    }
}
