#include "batch/TimeoutText.h"

#include "fakes/TestForm.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

using namespace quorbin;

namespace {

struct Reading {
    std::string text;
    double minutes;
};

} // namespace

// The time-out box is read as the number at the start of its text, however much else
// the user has typed behind or between its characters.
TEST(LeadingNumber, ReadsTheNumberAtTheStartOfTheText) {
    const double infinity = std::numeric_limits<double>::infinity();
    const std::vector<Reading> cases{
        {"60", 60},     {"1.5", 1.5},   {"1 5", 15}, // blanks are skipped wherever they stand
        {"  2e1", 20},                               // leading blanks, then an exponent
        {"\t1\n2", 12},                              // tabs and line feeds are skipped as well
        {"1\r2", 1},                                 // a carriage return is not: it ends the number
        {"&H10", 16},   {"&HFF", 255},  {"&h1f", 31},        {"&O17", 15}, {"&O8", 0}, // 8 is no octal digit
        {"abc", 0},     {"", 0},        {"-3", -3},          {"+7", 7},    {".5", 0.5},
        {"1,5", 1},                   // the decimal point is a period whatever the locale
        {"1.5.3", 1.5}, {"1e", 1},    // an exponent without digits is not part of the number
        {"1e+", 1},     {"1D2", 100}, // D marks an exponent too
        {"2E-1", 0.2},  {"1 e 2", 100}, {"1e999", infinity}, // too large for any time-out to pass
        {"12abc", 12},  {"- 3", -3},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(leadingNumber(c.text), c.minutes) << "text \"" << c.text << "\"";
}

namespace {

struct Timeout {
    std::string text;
    std::string timedOutAt; // the elapsed time of the TIMEOUT line
};

} // namespace

// The tick reads the box afresh each time, and the first watched tick past the
// minutes × 60 ends the job; until then the job runs on.
TEST(LeadingNumber, TheTickTimesTheJobOutByTheNumberInTheBox) {
    const std::vector<Timeout> cases{
        {"0.25", "00:00:16"}, {"abc", "00:00:11"}, {"", "00:00:11"},     {" 0 . 5", "00:00:31"},
        {"&H1", "00:01:01"},  {"1,5", "00:01:01"}, {".5e1", "00:05:01"},
    };
    for (const auto& c : cases) {
        test::TestForm t;
        t.start();
        t.useFiles("/home/ann/jobs/", {"clip.avi"}, {0});
        t.BoxTimeout.type(c.text);
        t.buttonStart.click();
        t.files.files["/home/ann/jobs/clipP.avi"] = "growing";

        for (int i = 0; i < 1000 && t.state().mode == modeRun; ++i)
            t.tick();

        const std::vector<std::string> lines = t.messagesLoggedSince(3);
        ASSERT_EQ(lines, (std::vector<std::string>{"FILE size:7", "TIMEOUT", "KILL process:4001 result:1"}))
            << "time-out \"" << c.text << "\"";
        EXPECT_EQ(test::TestForm::elapsedOf(t.listLog.lines[4]), c.timedOutAt)
            << "time-out \"" << c.text << "\"";
    }
}

// A change typed during a job applies from the next tick on.
TEST(LeadingNumber, ATimeoutTypedDuringTheJobAppliesAtTheNextTick) {
    test::TestForm t;
    t.start();
    t.useFiles("/home/ann/jobs/", {"clip.avi"}, {0});
    t.buttonStart.click();
    t.files.files["/home/ann/jobs/clipP.avi"] = "growing";
    t.run(40);
    ASSERT_EQ(t.state().mode, modeRun);

    t.BoxTimeout.type("0.5");
    t.tick();

    EXPECT_EQ(t.messagesLoggedSince(4), (std::vector<std::string>{"TIMEOUT", "KILL process:4001 result:1"}));
    EXPECT_EQ(test::TestForm::elapsedOf(t.listLog.lines[4]), "00:00:40");
}
