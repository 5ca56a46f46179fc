// The stand-in processing program is used by the end-to-end tests of the whole tool;
// these cases pin down the script language that they rely on.
#include "platform/posix/PosixProcessControl.h"

#include "helpers/TempDir.h"
#include "helpers/WaitUntil.h"
#include "posix/ProcessGuard.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace quorbin {
namespace {

using test::ProcessGuard;
using test::TempDir;
using test::waitUntil;

LaunchRequest job(const TempDir& dir, const std::string& script) {
    {
        std::ofstream out(dir.file("quorbin.avs"), std::ios::binary);
        out << script;
    }
    LaunchRequest request;
    request.file = FAKEPROC_PATH;
    request.parameters =
        " /c /s \"\"  /p \"" + dir.file("quorbin.avs") + "\" \"" + dir.file("clipP.avi") + "\" /r /x";
    request.directory = dir.path().string();
    return request;
}

std::uint32_t runToEnd(PosixProcessControl& control, ProcessGuard& guard, const LaunchRequest& request) {
    const ProcessHandle handle = guard.track(control.launch(request));
    EXPECT_GT(handle, 0);
    EXPECT_TRUE(waitUntil([&] { return control.exitCode(handle) != stillRunning; }));
    return control.exitCode(handle).value_or(endedWith(9999)).exitCode;
}

TEST(Fakeproc, WritesRateTimesStepsBytesAndExitsWithItsCode) {
    TempDir dir;
    PosixProcessControl control;
    ProcessGuard guard(control);
    const auto request =
        job(dir, "Open(\"clip.avi\")\r\n# rate=1234\r\n  steps=3\r\ninterval_ms=1\r\nexit=4\r\n");
    EXPECT_EQ(runToEnd(control, guard, request), 4u);
    EXPECT_EQ(std::filesystem::file_size(dir.file("clipP.avi")), 3u * 1234u);
}

TEST(Fakeproc, NooutputNeverCreatesTheOutput) {
    TempDir dir;
    PosixProcessControl control;
    ProcessGuard guard(control);
    EXPECT_EQ(runToEnd(control, guard, job(dir, "nooutput\nsteps=2\ninterval_ms=1\n")), 0u);
    EXPECT_FALSE(std::filesystem::exists(dir.file("clipP.avi")));
}

TEST(Fakeproc, GrowsTheOutputWhileItRuns) {
    TempDir dir;
    PosixProcessControl control;
    ProcessGuard guard(control);
    const std::string output = dir.file("clipP.avi");
    const ProcessHandle handle = guard.track(control.launch(job(dir, "rate=10\nsteps=-1\ninterval_ms=5\n")));
    ASSERT_GT(handle, 0);
    ASSERT_TRUE(waitUntil(
        [&] { return std::filesystem::exists(output) && std::filesystem::file_size(output) >= 10; }));
    const auto first = std::filesystem::file_size(output);
    EXPECT_TRUE(waitUntil([&] { return std::filesystem::file_size(output) > first; }));
    EXPECT_EQ(control.exitCode(handle), stillRunning);
}

TEST(Fakeproc, FailsWithTwoWithoutAScript) {
    TempDir dir;
    PosixProcessControl control;
    ProcessGuard guard(control);
    LaunchRequest request = job(dir, "");
    std::filesystem::remove(dir.file("quorbin.avs"));
    EXPECT_EQ(runToEnd(control, guard, request), 2u);
}

} // namespace
} // namespace quorbin
