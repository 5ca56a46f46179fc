#include "platform/posix/PosixBatchRecords.h"
#include "platform/posix/PosixFolderClaims.h"
#include "platform/posix/PosixProcessControl.h"

#include "helpers/TempDir.h"
#include "helpers/WaitUntil.h"
#include "posix/ProcFs.h"
#include "posix/ProcessGuard.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace quorbin {
namespace {

using test::TempDir;

// The user's state folder is a test's own for as long as it lives.
class StateHome {
public:
    StateHome() { ::setenv("XDG_STATE_HOME", dir_.path().c_str(), 1); }
    ~StateHome() { ::unsetenv("XDG_STATE_HOME"); }
    std::string folder() const { return dir_.file("quorbin"); }

private:
    TempDir dir_;
};

void makeAnHourOlder(const std::string& folder) {
    const timespec anHourAgo{::time(nullptr) - 3600, 0};
    const timespec times[2] = {anHourAgo, anHourAgo};
    for (const auto& file : std::filesystem::directory_iterator(folder))
        ::utimensat(AT_FDCWD, file.path().c_str(), times, 0);
}

TEST(PosixBatchRecords, RecordsAreReplacedWholeAndListedNewestFirst) {
    StateHome home;
    PosixBatchRecords records;
    ASSERT_TRUE(records.save("/clips/", "first\n"));
    ASSERT_TRUE(records.save("/clips/", "old\n"));
    makeAnHourOlder(home.folder());
    ASSERT_TRUE(records.save("/other/", "new\n"));
    EXPECT_EQ(records.all(), (std::vector<std::string>{"new\n", "old\n"}));
    // Only the records themselves are left: no half-written file beside them.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home.folder()), {}), 2);

    records.forget("/clips/");
    EXPECT_EQ(records.all(), std::vector<std::string>{"new\n"});
}

// Two instances of the tool are two claimants, whatever process they are in.
TEST(PosixFolderClaims, AFolderHeldByOneInstanceIsRefusedToAnother) {
    StateHome home;
    PosixFolderClaims first;
    PosixFolderClaims second;
    ASSERT_TRUE(first.claim("/clips/"));
    EXPECT_FALSE(first.claimedElsewhere("/clips/"));
    EXPECT_TRUE(second.claimedElsewhere("/clips/"));
    EXPECT_FALSE(second.claim("/clips/"));
    EXPECT_TRUE(second.claim("/other/"));

    first.release("/clips/");
    EXPECT_FALSE(second.claimedElsewhere("/clips/"));
    EXPECT_TRUE(second.claim("/clips/"));
}

// The job of a tool that has gone is found again by another instance and ended with
// what it started; an identity whose start differs names a stranger, left alone.
TEST(PosixProcessIdentity, ALeftoverJobIsEndedAndAStrangerIsNot) {
    TempDir dir;
    const std::string script = dir.file("quorbin.avs");
    const std::string workerFile = dir.file("worker.pid");
    std::ofstream(script) << "spawn_child\nchild_pidfile=" << workerFile << "\nsteps=0\nhang\n";
    LaunchRequest request;
    request.file = FAKEPROC_PATH;
    request.parameters = " /c /s \"x\"  /p \"" + script + "\" \"" + dir.file("outP.avi") + "\" /r /x";
    request.directory = dir.path().string() + "/";
    PosixProcessControl earlier;
    test::ProcessGuard guard(earlier);
    const ProcessHandle job = guard.track(earlier.launch(request));
    ASSERT_GT(job, 0);
    ASSERT_TRUE(test::waitUntil([&] { return std::filesystem::exists(workerFile); }));
    const pid_t worker =
        std::stoi(std::string(std::istreambuf_iterator<char>(std::ifstream(workerFile).rdbuf()), {}));
    guard.trackStray(worker);

    const ProcessIdentity identity = earlier.identity(job);
    ASSERT_EQ(identity.id, job);
    ProcessIdentity stranger = identity;
    stranger.started += "1";
    PosixProcessControl later;
    EXPECT_FALSE(later.isRunning(stranger));
    EXPECT_FALSE(later.endLeftover(stranger));
    EXPECT_TRUE(test::processRunning(job));

    EXPECT_TRUE(later.isRunning(identity));
    EXPECT_TRUE(later.endLeftover(identity));
    EXPECT_TRUE(test::processGone(job));
    EXPECT_TRUE(test::waitUntil([&] { return test::processGone(worker); }));
    EXPECT_FALSE(later.isRunning(identity));
}

} // namespace
} // namespace quorbin
