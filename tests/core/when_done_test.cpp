#include "batch/TimeoutText.h"
#include "fakes/TestForm.h"
#include "platform/WhenDoneItems.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quorbin;
using namespace quorbin::test;

namespace {

const std::string folder = "/jobs/";

// A one-file batch, started; its program has exited with 0.
void startOneFileBatch(TestForm& t) {
    t.storeProgramAndTemplate();
    t.start();
    t.useFiles(folder, {"a.avi"}, {0});
    t.buttonStart.click();
    t.files.files[folder + "aP.avi"] = "data";
    t.processes.exit(t.state().hProcess, 0);
}

// Exit, done and kill each take their 11 seconds: the batch is idle after 33.
void runToTheEnd(TestForm& t) {
    t.run(33);
    ASSERT_EQ(t.state().mode, modeIdle);
}

} // namespace

TEST(WhenDone, TheChosenActionFiresOnceAfterTheEndOfTheBatch) {
    const struct {
        int item;
        std::vector<std::string> requests;
        int closes;
        std::string countdown;
    } cases[] = {
        {doNothing, {}, 0, ""},
        {quitQuorbin, {}, 1, ""},
        {sleepMachine, {"suspend"}, 0, "The batch is done. The machine will go to sleep in 60 seconds."},
        {shutDownMachine, {"power off"}, 0, "The batch is done. The machine will shut down in 60 seconds."},
    };
    for (const auto& c : cases) {
        TestForm t;
        startOneFileBatch(t);
        t.menuWhenDone.choose(c.item);
        runToTheEnd(t);
        EXPECT_EQ(t.messagesLogged().back(), "IDLE");
        EXPECT_EQ(t.window.closes, c.closes) << c.item;
        EXPECT_EQ(t.countdown.shown, c.countdown) << c.item;
        // The machine stays awake through the countdown.
        EXPECT_EQ(t.keepAwake.held, !c.countdown.empty()) << c.item;

        t.run(59.5);
        EXPECT_TRUE(t.power.requests.empty()) << c.item;
        t.run(0.5);
        EXPECT_EQ(t.power.requests, c.requests) << c.item;
        EXPECT_FALSE(t.keepAwake.held) << c.item;
        EXPECT_EQ(t.countdown.shown, "") << c.item;
        EXPECT_EQ(t.menuWhenDone.chosen(), doNothing) << c.item;

        // Fired once: the next end of a batch does nothing.
        t.buttonStart.click();
        t.processes.exit(t.state().hProcess, 0);
        runToTheEnd(t);
        t.run(61);
        EXPECT_EQ(t.power.requests, c.requests) << c.item;
        EXPECT_EQ(t.window.closes, c.closes) << c.item;
    }
}

TEST(WhenDone, NothingFiresAfterCancelStopOrAStartDuringTheCountdown) {
    for (const std::string way : {"cancel", "start", "stop"}) {
        TestForm t;
        startOneFileBatch(t);
        t.menuWhenDone.choose(sleepMachine);
        if (way == "stop")
            t.buttonStop.click();
        else
            runToTheEnd(t);
        if (way == "cancel")
            t.countdown.cancel();
        if (way == "start")
            t.buttonStart.click();
        t.run(70);
        EXPECT_TRUE(t.power.requests.empty()) << way;
        EXPECT_EQ(t.countdown.shown, "") << way;
        EXPECT_EQ(t.menuWhenDone.chosen(), way == "stop" ? sleepMachine : doNothing) << way;
    }
}

TEST(WhenDone, ARefusalIsShownInABox) {
    TestForm t;
    startOneFileBatch(t);
    t.power.answer = Failure{"Not authorized to suspend"};
    t.menuWhenDone.choose(sleepMachine);
    runToTheEnd(t);
    t.run(60);
    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].text, "Not authorized to suspend");
}

TEST(TimeoutWarning, ATextThatReadsAsNoTimeIsFlagged) {
    const std::string zero = "reads as 0 minutes: every job is ended after 11 seconds and started again";
    const struct {
        const char* text;
        std::string warning;
    } cases[] = {
        {"60", ""},    {"1.5", ""},
        {"", zero},    {"abc", zero},
        {"0.0", zero}, {"-5", "reads as -5 minutes: every job is ended after 11 seconds and started again"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(timeoutWarning(c.text), c.warning) << c.text;

    TestForm t;
    t.settings.values[{"setting", "timeout"}] = "abc";
    t.start();
    EXPECT_EQ(t.BoxTimeout.warning, zero);
    t.BoxTimeout.type("45");
    EXPECT_EQ(t.BoxTimeout.warning, "");
}

TEST(OpenLogFile, OpensTheWorkingFoldersLogOrSaysThereIsNone) {
    TestForm t;
    t.start(false);
    t.files.folders.insert(folder);
    t.files.cwd = folder;
    t.menuOpenLog.click();
    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].text,
              "There is no log file in the working folder yet: \"quorbin.log\" is written there from the "
              "first Start on.");
    EXPECT_TRUE(t.opener.opened.empty());

    t.files.files[folder + "quorbin.log"] = "12:00:00 (00:00:00) START\r\n";
    t.menuOpenLog.click();
    EXPECT_EQ(t.opener.opened, std::vector<std::string>{"quorbin.log"});
    t.opener.answer = Failure{"No application is registered for .log files."};
    t.menuOpenLog.click();
    EXPECT_EQ(t.messages.shown.back().text, "No application is registered for .log files.");
}
