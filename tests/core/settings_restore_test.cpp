#include "fakes/TestForm.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using namespace quorbin;
using namespace quorbin::test;

namespace {

using Write = std::tuple<std::string, std::string, std::string>;

constexpr int designedOuter = FakeWindow::designedInner + FakeWindow::frame;

const std::vector<SizedControl> rightColumn{
    SizedControl::boxExe, SizedControl::boxCmdLine, SizedControl::boxScript, SizedControl::boxTemplate,
    SizedControl::boxVcf, SizedControl::listFiles,  SizedControl::listLog};

void store(FakeSettingsStore& settings, const std::string& section, const std::string& key,
           const std::string& value) {
    settings.values[{section, key}] = value;
}

std::string stored(const FakeSettingsStore& settings, const std::string& section, const std::string& key) {
    return settings.read(section, key).value_or("<missing>");
}

int writesOf(const FakeSettingsStore& settings, const std::string& key) {
    int count = 0;
    for (const auto& [section, k, value] : settings.writes)
        count += k == key ? 1 : 0;
    return count;
}

// Everything a user has chosen in an earlier run, with the files it names in place.
void arrangeEarlierRun(TestForm& t) {
    store(t.settings, "file", "exePath", "/opt/vproc/vproc.exe");
    store(t.settings, "file", "vcfPath", "/set/fast.vcf");
    store(t.settings, "file", "avsPath", "/tpl/job.avs");
    store(t.settings, "file", "aviPath", "/clips/");
    store(t.settings, "setting", "timeout", "45");
    store(t.settings, "window", "width", "10000");
    t.files.folders.insert("/clips/");
    t.files.folders.insert("/tpl/");
    t.files.files["/tpl/job.avs"] = "Open($FILE)\r\n";
}

// A new run of the program over what the earlier one left in the store.
void restartOver(TestForm& next, const TestForm& earlier) {
    next.settings.values = earlier.settings.values;
    next.files.folders = earlier.files.folders;
    next.files.files = earlier.files.files;
    next.start();
}

} // namespace

TEST(SettingsRestore, FirstStartWithEmptyStoreShowsDefaultsAndReportsTheMissingTemplate) {
    TestForm t;
    t.start();

    EXPECT_EQ(t.boxExe.text(), "");
    EXPECT_EQ(t.boxVcf.text(), "");
    EXPECT_EQ(t.BoxTimeout.text(), "60");
    EXPECT_EQ(t.boxTemplate.text(), "");
    EXPECT_EQ(t.boxScript.text(), "");
    EXPECT_EQ(t.boxCmdLine.text(), " /c /s \"\"  /p \"quorbin.avs\" \"P\" /r /x");
    EXPECT_EQ(t.state().outputPath, "P");

    EXPECT_EQ(t.window.outerWidth(), designedOuter);
    EXPECT_EQ(t.window.resizes, 0);
    EXPECT_TRUE(t.window.widthCalls.empty());
    EXPECT_EQ(t.window.left, 100);
    EXPECT_EQ(t.window.top, 100);

    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].title, "quorbin");
    EXPECT_EQ(t.messages.shown[0].text.rfind("No template file has been chosen", 0), 0u)
        << t.messages.shown[0].text;

    // Nothing changed, so nothing is written back and the current directory stays.
    EXPECT_TRUE(t.settings.writes.empty());
    EXPECT_EQ(t.files.cwd, "/");
    EXPECT_TRUE(t.listLog.lines.empty());
}

TEST(SettingsRestore, NoStoredWorkingFolderLeavesTheCurrentDirectoryWhereItWas) {
    TestForm t;
    t.files.folders.insert("/home/user/");
    t.files.cwd = "/home/user/";
    t.start();
    EXPECT_EQ(t.files.cwd, "/home/user/");
}

TEST(SettingsRestore, FullStoreRestoresPathsFolderTemplateCommandLineAndWidth) {
    TestForm t;
    arrangeEarlierRun(t);
    t.start();

    EXPECT_EQ(t.boxExe.text(), "/opt/vproc/vproc.exe");
    EXPECT_EQ(t.boxVcf.text(), "/set/fast.vcf");
    EXPECT_EQ(t.BoxTimeout.text(), "45");
    EXPECT_EQ(t.state().exePath, "/opt/vproc/vproc.exe");
    EXPECT_EQ(t.state().vcfPath, "/set/fast.vcf");
    EXPECT_EQ(t.state().avsPath, "/tpl/job.avs");
    EXPECT_EQ(t.state().aviPath, "/clips/");
    EXPECT_EQ(t.files.cwd, "/clips/");
    EXPECT_EQ(t.boxTemplate.text(), "Open($FILE)\r\n");

    const std::string commandLine = " /c /s \"/set/fast.vcf\"  /p \"/clips/quorbin.avs\" \"/clips/P\" /r /x";
    EXPECT_EQ(t.boxCmdLine.text(), commandLine);
    EXPECT_EQ(t.state().outputPath, "/clips/P");
    // Every path was restored before the first box was filled, so the first command
    // line shown is already the complete one.
    EXPECT_EQ(t.boxCmdLine.changes, 1);

    EXPECT_EQ(t.window.outerWidth(), 10000);
    EXPECT_EQ(t.window.resizes, 1);
    EXPECT_EQ(t.window.widthCalls, rightColumn);
    for (const SizedControl control : rightColumn)
        EXPECT_EQ(t.window.widths[control], 10000 - FakeWindow::frame - 1740 - 20);
    EXPECT_EQ(stored(t.settings, "window", "width"), "10000");
    EXPECT_EQ(t.window.left, 100);
    EXPECT_EQ(t.window.top, 100);

    EXPECT_TRUE(t.messages.shown.empty());
    EXPECT_TRUE(t.listLog.lines.empty());
}

TEST(SettingsRestore, StartUpWritesEachRestoredValueBackInStartUpOrder) {
    TestForm t;
    arrangeEarlierRun(t);
    t.start();

    const std::vector<Write> expected{{"file", "vcfPath", "/set/fast.vcf"},
                                      {"file", "exePath", "/opt/vproc/vproc.exe"},
                                      {"setting", "timeout", "45"},
                                      {"window", "width", "10000"}};
    EXPECT_EQ(t.settings.writes, expected);
}

TEST(SettingsRestore, TimeoutOfSixtyIsNoChangeAndWritesNothing) {
    TestForm t;
    store(t.settings, "file", "vcfPath", "/set/fast.vcf");
    store(t.settings, "setting", "timeout", "60");
    t.start();

    const std::vector<Write> expected{{"file", "vcfPath", "/set/fast.vcf"}};
    EXPECT_EQ(t.settings.writes, expected);
    EXPECT_EQ(t.BoxTimeout.changes, 0);
}

TEST(SettingsRestore, StoredWidthThatIsNoNumberKeepsTheDesignedWidth) {
    const std::vector<std::string> unusable{"abc", "", "12x", "x12", "nan", "inf"};
    for (const std::string& width : unusable) {
        SCOPED_TRACE("stored width \"" + width + "\"");
        TestForm t;
        arrangeEarlierRun(t);
        store(t.settings, "window", "width", width);
        t.start();

        EXPECT_EQ(t.window.outerWidth(), designedOuter);
        EXPECT_EQ(t.window.resizes, 0);
        EXPECT_EQ(writesOf(t.settings, "width"), 0);
        EXPECT_EQ(stored(t.settings, "window", "width"), width);
        EXPECT_TRUE(t.messages.shown.empty());
        EXPECT_EQ(t.window.left, 100);
    }
}

// A window widened to the screen's edge, or last run on a larger screen, stays as wide as
// this screen allows, never falling back to the designed width.
TEST(SettingsRestore, StoredWidthIsKeptWithinTheMinimumAndTheScreen) {
    struct Case {
        std::string stored;
        int outer;
    };
    // The last would wrap into a plausible width in 32 bits.
    const std::vector<Case> cases{{"1500", 1500},   {"28800", 28800}, {"8000", 8000},
                                  {"1499", 1500},   {"0", 1500},      {"-9000", 1500},
                                  {"28801", 28800}, {"1e300", 28800}, {"4294975000", 28800}};
    for (const Case& c : cases) {
        SCOPED_TRACE("stored width " + c.stored);
        TestForm t;
        arrangeEarlierRun(t);
        store(t.settings, "window", "width", c.stored);
        t.start();

        EXPECT_EQ(t.window.outerWidth(), c.outer);
        EXPECT_EQ(t.window.resizes, 1);
        EXPECT_EQ(stored(t.settings, "window", "width"), std::to_string(c.outer));
    }
}

TEST(SettingsRestore, VanishedWorkingFolderLeavesTheCurrentDirectoryAndStartUpGoesOn) {
    TestForm t;
    arrangeEarlierRun(t);
    store(t.settings, "file", "aviPath", "/gone/");
    t.start();

    EXPECT_EQ(t.files.cwd, "/");
    EXPECT_EQ(t.state().aviPath, "/gone/");
    EXPECT_EQ(t.boxTemplate.text(), "Open($FILE)\r\n");
    EXPECT_EQ(t.boxCmdLine.text(), " /c /s \"/set/fast.vcf\"  /p \"/gone/quorbin.avs\" \"/gone/P\" /r /x");
    EXPECT_EQ(t.window.outerWidth(), 10000);
    EXPECT_EQ(t.window.left, 100);
    EXPECT_TRUE(t.messages.shown.empty());
}

TEST(SettingsRestore, TypingIntoBoxExeWritesEveryChangeAndARestartShowsThePartialPath) {
    TestForm t;
    t.start();
    const std::string path = "/opt/vp";
    for (std::size_t n = 1; n <= path.size(); ++n) {
        t.boxExe.type(path.substr(0, n));
        EXPECT_EQ(writesOf(t.settings, "exePath"), static_cast<int>(n));
        EXPECT_EQ(stored(t.settings, "file", "exePath"), path.substr(0, n));
        EXPECT_EQ(t.state().exePath, path.substr(0, n));
    }
    // Closed in the middle of typing: one character taken back.
    t.boxExe.type("/opt/v");
    EXPECT_EQ(writesOf(t.settings, "exePath"), static_cast<int>(path.size()) + 1);

    TestForm next;
    restartOver(next, t);
    EXPECT_EQ(next.boxExe.text(), "/opt/v");
    EXPECT_EQ(next.state().exePath, "/opt/v");
}

TEST(SettingsRestore, DeletingTheSettingsFilePathStoresAnEmptyPath) {
    TestForm t;
    arrangeEarlierRun(t);
    t.start();
    t.boxVcf.type("");

    EXPECT_EQ(stored(t.settings, "file", "vcfPath"), "");
    EXPECT_EQ(t.state().vcfPath, "");
    const std::string commandLine = " /c /s \"\"  /p \"/clips/quorbin.avs\" \"/clips/P\" /r /x";
    EXPECT_EQ(t.boxCmdLine.text(), commandLine);

    TestForm next;
    restartOver(next, t);
    EXPECT_EQ(next.boxVcf.text(), "");
    EXPECT_EQ(next.boxCmdLine.text(), commandLine);
}

TEST(SettingsRestore, TypedSettingsFilePathRebuildsTheCommandLineAtOnce) {
    TestForm t;
    arrangeEarlierRun(t);
    t.start();
    t.boxCmdLine.type("edited by hand");
    t.boxVcf.type("/set/slow.vcf");

    EXPECT_EQ(t.boxCmdLine.text(), " /c /s \"/set/slow.vcf\"  /p \"/clips/quorbin.avs\" \"/clips/P\" /r /x");
    EXPECT_EQ(stored(t.settings, "file", "vcfPath"), "/set/slow.vcf");
}

TEST(SettingsRestore, TimeoutTypedAsLettersIsStoredAndRestoredUnchanged) {
    TestForm t;
    t.start();
    t.BoxTimeout.type("ten");
    EXPECT_EQ(stored(t.settings, "setting", "timeout"), "ten");

    TestForm next;
    restartOver(next, t);
    EXPECT_EQ(next.BoxTimeout.text(), "ten");
}

TEST(SettingsRestore, TimeoutChangeWritesItsEntryAndTouchesNothingElse) {
    TestForm t;
    arrangeEarlierRun(t);
    t.start();
    t.boxCmdLine.type("edited by hand");
    const BatchState before = t.state();
    const auto writesBefore = t.settings.writes;

    t.BoxTimeout.type("90");

    auto expectedWrites = writesBefore;
    expectedWrites.emplace_back("setting", "timeout", "90");
    EXPECT_EQ(t.settings.writes, expectedWrites);
    EXPECT_EQ(t.boxCmdLine.text(), "edited by hand");
    EXPECT_EQ(t.state().exePath, before.exePath);
    EXPECT_EQ(t.state().vcfPath, before.vcfPath);
    EXPECT_EQ(t.state().avsPath, before.avsPath);
    EXPECT_EQ(t.state().aviPath, before.aviPath);
    EXPECT_EQ(t.state().outputPath, before.outputPath);
    EXPECT_EQ(t.state().mode, before.mode);
    EXPECT_TRUE(t.listLog.lines.empty());
}

TEST(SettingsRestore, EveryResizeWritesTheWidthAlsoWhenTooNarrowToLayOut) {
    TestForm t;
    arrangeEarlierRun(t);
    t.start();
    t.window.widthCalls.clear();

    t.window.userResize(1900); // inner width 1780: too narrow for the layout step
    EXPECT_TRUE(t.window.widthCalls.empty());
    EXPECT_EQ(stored(t.settings, "window", "width"), "1900");

    t.window.userResize(12000);
    EXPECT_EQ(t.window.widthCalls, rightColumn);
    EXPECT_EQ(stored(t.settings, "window", "width"), "12000");

    // A restart takes the last width a resize saw.
    TestForm next;
    restartOver(next, t);
    EXPECT_EQ(next.window.outerWidth(), 12000);
}
