#include "runner/TaskLog.h"

#include <gtest/gtest.h>

#include <string>

using namespace quorbin;

// A task's log, as its runner and the cluster leave it: CR LF line ends, a console line
// between the log lines, and a task that was started again after its node failed, whose
// earlier attempt must not count.
TEST(TaskLog, TheLinesAfterTheLastStartGiveTheOutcome) {
    struct Case {
        std::string log;
        OutcomeKind kind;
        std::int32_t exitCode;
        int timeouts;
    };
    const std::string start = "10:00:00 (00:00:00) START\r\n";
    const std::string run = "10:00:00 (00:00:00) RUN process:4711 file:a.avi\r\n";
    const Case cases[] = {
        {"", OutcomeKind::none, 0, 0},
        {"quorbin-run: set-up error: the template: Cannot read\n", OutcomeKind::none, 0, 0},
        {start + run + "10:00:16 (00:00:16) TIMEOUT\r\n" + run + "10:00:27 (00:00:11) EXIT code:0\r\n",
         OutcomeKind::finished, 0, 1},
        {start + run + "quorbin: cannot reach the system bus\n10:00:11 (00:00:11) EXIT code:3\r\n",
         OutcomeKind::failed, 3, 0},
        {start + run + "10:05:11 (00:05:11) SIZE TIMEOUT\r\n", OutcomeKind::stalled, 0, 0},
        {start + "10:00:00 (00:00:00) RUN process:0 file:a.avi\r\n10:00:11 (00:00:11) DONE\r\n",
         OutcomeKind::notStarted, 0, 0},
        {start + run + "10:00:05 (00:00:05) ABORT\r\n10:00:05 (00:00:00) KILL process:4711 result:1\r\n",
         OutcomeKind::aborted, 0, 0},
        {start + run + "10:00:16 (00:00:16) TIMEOUT\r\n" + start + run, OutcomeKind::running, 0, 0},
    };
    for (const Case& c : cases) {
        const SummaryFile file = outcomeFromLog("a.avi", c.log);
        EXPECT_EQ(file.name, "a.avi");
        EXPECT_EQ(file.kind, c.kind) << c.log;
        EXPECT_EQ(file.exitCode, c.exitCode) << c.log;
        EXPECT_EQ(file.timeouts, c.timeouts) << c.log;
    }
}
