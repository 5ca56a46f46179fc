#include "fakes/TestForm.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>
#include <vector>

using namespace quorbin;
using namespace quorbin::test;

namespace {

using Write = std::tuple<std::string, std::string, std::string>;

// A start-up with a template and a settings file chosen earlier and the given folders
// on disk; nothing picked yet.
void startReady(TestForm& t, const std::vector<std::string>& folders = {"/clips/"}) {
    for (const auto& folder : folders)
        t.files.folders.insert(folder);
    t.files.folders.insert("/tpl/");
    t.files.files["/tpl/job.avs"] = "Open($FILE)";
    t.settings.values[{"file", "avsPath"}] = "/tpl/job.avs";
    t.settings.values[{"file", "vcfPath"}] = "/set/f.vcf";
    t.start();
    t.settings.writes.clear();
}

void pick(TestForm& t, std::vector<std::string> paths) {
    for (std::string& path : paths)
        path = native(path);
    t.dialog.choose(std::move(paths));
    t.buttonSelectAvi.click();
}

// The names listed, whatever their order: the order is the list box's own (the fake
// sorts as the real ones do; their tests check the real sorting).
std::multiset<std::string> namesListed(const FakeListBox& list) {
    std::multiset<std::string> names;
    for (const auto& entry : list.entries)
        names.insert(entry.text);
    return names;
}

std::vector<std::string> entryNames(const FakeListBox& list) {
    std::vector<std::string> texts;
    for (const auto& entry : list.entries)
        texts.push_back(entry.text);
    return texts;
}

std::vector<bool> entryMarks(const FakeListBox& list) {
    std::vector<bool> selected;
    for (const auto& entry : list.entries)
        selected.push_back(entry.selected);
    return selected;
}

std::string commandLineFor(const std::string& folder, const std::string& output) {
    return " /c /s \"/set/f.vcf\"  /p \"" + folder + "quorbin.avs\" \"" + folder + output + "\" /r /x";
}

// Everything a pick may change, taken before and compared after.
struct Snapshot {
    explicit Snapshot(TestForm& t)
        : names(entryNames(t.listFiles)), marks(entryMarks(t.listFiles)), current(t.listFiles.currentIndex()),
          aviPath(t.state().aviPath), currentFile(t.state().currentFile), fileIndex(t.state().fileIndex),
          boxScript(t.boxScript.text()), boxCmdLine(t.boxCmdLine.text()), cwd(t.files.cwd),
          writes(t.settings.writes.size()), logged(t.listLog.lines.size()) {}
    void expectUnchanged(TestForm& t) const {
        EXPECT_EQ(entryNames(t.listFiles), names);
        EXPECT_EQ(entryMarks(t.listFiles), marks);
        EXPECT_EQ(t.listFiles.currentIndex(), current);
        EXPECT_EQ(t.state().aviPath, aviPath);
        EXPECT_EQ(t.state().currentFile, currentFile);
        EXPECT_EQ(t.state().fileIndex, fileIndex);
        EXPECT_EQ(t.boxScript.text(), boxScript);
        EXPECT_EQ(t.boxCmdLine.text(), boxCmdLine);
        EXPECT_EQ(t.files.cwd, cwd);
        EXPECT_EQ(t.settings.writes.size(), writes);
        EXPECT_EQ(t.listLog.lines.size(), logged);
    }
    std::vector<std::string> names;
    std::vector<bool> marks;
    int current;
    std::string aviPath, currentFile;
    int fileIndex;
    std::string boxScript, boxCmdLine, cwd;
    std::size_t writes, logged;
};

} // namespace

// The window system may or may not raise the list's click event when code makes an
// entry current; the pick comes out the same either way. The file prepared is the
// list's first entry, not the first name the dialog gave.
TEST(InputFileList, PickOfThreeFilesListsThemAllMarkedAndPreparesTheListsFirst) {
    for (const bool codeRaisesClick : {true, false}) {
        SCOPED_TRACE(codeRaisesClick ? "code raises clicks" : "only the user raises clicks");
        TestForm t;
        t.listFiles.codeRaisesClick = codeRaisesClick;
        startReady(t);
        pick(t, {"/clips/b.avi", "/clips/A.avi", "/clips/c.avi"});

        EXPECT_EQ(namesListed(t.listFiles), (std::multiset<std::string>{"A.avi", "b.avi", "c.avi"}));
        EXPECT_EQ(entryMarks(t.listFiles), (std::vector<bool>{true, true, true}));
        EXPECT_EQ(t.listFiles.currentIndex(), 0);
        EXPECT_EQ(t.state().fileIndex, 0);
        ASSERT_EQ(t.listFiles.entryText(0), "A.avi");
        EXPECT_EQ(t.state().currentFile, "A.avi");
        EXPECT_EQ(t.boxScript.text(), "Open(" + native("/clips/A.avi") + ")");
        EXPECT_EQ(t.boxCmdLine.text(), commandLineFor(native("/clips/"), "AP.avi"));
        EXPECT_EQ(t.state().outputPath, native("/clips/AP.avi"));
        EXPECT_EQ(t.state().aviPath, native("/clips/"));
        EXPECT_EQ(t.files.cwd, "/clips/");
        EXPECT_EQ(t.settings.writes, (std::vector<Write>{{"file", "aviPath", native("/clips/")}}));
        EXPECT_TRUE(t.listLog.lines.empty());
        EXPECT_TRUE(t.messages.shown.empty());
        EXPECT_EQ(t.state().mode, modeIdle);
        // The list's click events raised by the pick itself settle at once.
        EXPECT_LE(t.listFiles.clicks, 2);
    }
}

TEST(InputFileList, PickAsksForSeveralAviFilesFromTheWorkingFolder) {
    TestForm t;
    t.settings.values[{"file", "aviPath"}] = "/old/";
    startReady(t, {"/old/"});
    t.dialog.cancel();
    t.buttonSelectAvi.click();

    ASSERT_EQ(t.dialog.requests.size(), 1u);
    const OpenFileRequest& request = t.dialog.requests[0];
    EXPECT_EQ(request.title, "Select AVI Files");
    EXPECT_EQ(request.filter, "*.avi");
    EXPECT_TRUE(request.multiSelect);
    EXPECT_EQ(request.initialFolder, "/old/");
    EXPECT_FALSE(request.readOnlyTicked);
    EXPECT_FALSE(request.mustExist);
}

TEST(InputFileList, WorkingFolderIsThePickedFilesFolderWithOneSeparator) {
    struct Case {
        std::vector<std::string> paths;
        std::string folder;
        std::multiset<std::string> entries;
    };
    const std::vector<Case> cases{
        {{"/clips/x.avi"}, "/clips/", {"x.avi"}},
        {{"/x.avi"}, "/", {"x.avi"}},
        {{"/b.avi", "/a.avi"}, "/", {"a.avi", "b.avi"}},
        {{"/clips/deep/My Clip.avi"}, "/clips/deep/", {"My Clip.avi"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.paths.front());
        TestForm t;
        startReady(t, {"/clips/", "/clips/deep/"});
        pick(t, c.paths);

        EXPECT_EQ(t.state().aviPath, native(c.folder));
        EXPECT_EQ(t.files.cwd, c.folder);
        EXPECT_EQ(namesListed(t.listFiles), c.entries);
        EXPECT_EQ(t.state().currentFile, t.listFiles.entryText(0));
        EXPECT_EQ(t.boxScript.text(), "Open(" + native(c.folder) + t.listFiles.entryText(0) + ")");
        EXPECT_EQ(t.settings.read("file", "aviPath").value_or("<missing>"), native(c.folder));
        EXPECT_TRUE(t.messages.shown.empty());
    }
}

TEST(InputFileList, CancelKeepsThePartlyUnmarkedListAndEverythingElse) {
    TestForm t;
    startReady(t);
    pick(t, {"/clips/a.avi", "/clips/b.avi", "/clips/c.avi"});
    t.listFiles.userToggle(1);
    t.listFiles.userClick(2);
    const Snapshot before(t);

    t.dialog.cancel();
    t.buttonSelectAvi.click();

    before.expectUnchanged(t);
    EXPECT_EQ(entryMarks(t.listFiles), (std::vector<bool>{true, false, true}));
    EXPECT_TRUE(t.messages.shown.empty());
}

TEST(InputFileList, NewPickReplacesTheWholeList) {
    TestForm t;
    startReady(t, {"/clips/", "/other/"});
    pick(t, {"/clips/a.avi", "/clips/b.avi", "/clips/c.avi"});
    t.listFiles.userToggle(0);

    pick(t, {"/other/z.avi", "/other/y.avi"});

    EXPECT_EQ(namesListed(t.listFiles), (std::multiset<std::string>{"y.avi", "z.avi"}));
    ASSERT_EQ(t.listFiles.entryText(0), "y.avi");
    EXPECT_EQ(entryMarks(t.listFiles), (std::vector<bool>{true, true}));
    EXPECT_EQ(t.state().aviPath, native("/other/"));
    EXPECT_EQ(t.files.cwd, "/other/");
    EXPECT_EQ(t.state().currentFile, "y.avi");
    EXPECT_EQ(t.boxCmdLine.text(), commandLineFor(native("/other/"), "yP.avi"));
    EXPECT_EQ(t.settings.read("file", "aviPath").value_or("<missing>"), native("/other/"));
}

TEST(InputFileList, FilesFromTwoFoldersAreRefusedAndNothingChanges) {
    TestForm t;
    startReady(t, {"/clips/", "/other/"});
    pick(t, {"/clips/a.avi", "/clips/b.avi"});
    const Snapshot before(t);

    pick(t, {"/clips/c.avi", "/other/d.avi"});

    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].title, "quorbin");
    EXPECT_NE(t.messages.shown[0].text.find("one folder"), std::string::npos) << t.messages.shown[0].text;
    before.expectUnchanged(t);
}

TEST(InputFileList, FailingDialogShowsItsErrorAndKeepsTheList) {
    TestForm t;
    startReady(t);
    pick(t, {"/clips/a.avi", "/clips/b.avi"});
    const Snapshot before(t);

    t.dialog.fail("The chosen names do not fit into the dialog's buffer.");
    t.buttonSelectAvi.click();

    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].text, "The chosen names do not fit into the dialog's buffer.");
    EXPECT_EQ(t.messages.shown[0].title, "quorbin");
    before.expectUnchanged(t);
}

// The job script is written to the current directory and named on the command line by
// the working folder: the two must never part, so a folder that cannot be entered
// leaves the earlier batch as it was.
TEST(InputFileList, FolderThatCannotBeEnteredIsReportedAndNothingChanges) {
    TestForm t;
    startReady(t);
    pick(t, {"/clips/a.avi", "/clips/z.avi"});
    t.listFiles.setSelected(1, false);
    const std::string commandLine = t.boxCmdLine.text();
    t.settings.writes.clear();

    pick(t, {"/offline/b.avi", "/offline/c.avi"});

    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].title, "quorbin");
    EXPECT_NE(t.messages.shown[0].text.find(native("/offline/")), std::string::npos)
        << t.messages.shown[0].text;
    EXPECT_EQ(entryNames(t.listFiles), (std::vector<std::string>{"a.avi", "z.avi"}));
    EXPECT_EQ(entryMarks(t.listFiles), (std::vector<bool>{true, false}));
    EXPECT_EQ(t.state().aviPath, native("/clips/"));
    EXPECT_EQ(t.files.cwd, "/clips/");
    EXPECT_EQ(t.boxCmdLine.text(), commandLine);
    EXPECT_TRUE(t.settings.writes.empty());
}

TEST(InputFileList, FolderThatCannotBeStoredIsReportedAfterEnteringIt) {
    TestForm t;
    startReady(t, {"/clips/", "/other/"});
    t.settings.failWrites = true;

    pick(t, {"/other/a.avi"});

    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].title, "quorbin");
    EXPECT_EQ(entryNames(t.listFiles), (std::vector<std::string>{"a.avi"}));
    EXPECT_EQ(t.files.cwd, "/other/");
    EXPECT_EQ(t.state().aviPath, native("/other/"));
}

TEST(InputFileList, ClickOnAnUnmarkedEntryMovesToTheNextMarkedOneBelow) {
    TestForm t;
    startReady(t);
    t.useFiles("/clips/", {"a.avi", "b.avi", "c.avi", "d.avi"}, {0, 2});

    t.listFiles.userClick(1);

    EXPECT_EQ(t.state().fileIndex, 2);
    EXPECT_EQ(t.listFiles.currentIndex(), 2);
    EXPECT_EQ(t.state().currentFile, "c.avi");
    EXPECT_EQ(t.boxScript.text(), "Open(/clips/c.avi)");
    EXPECT_EQ(t.boxCmdLine.text(), commandLineFor("/clips/", "cP.avi"));
    EXPECT_EQ(t.state().outputPath, "/clips/cP.avi");
    EXPECT_TRUE(t.listLog.lines.empty());
    EXPECT_LE(t.listFiles.clicks, 3);
}

TEST(InputFileList, ClickBelowTheLastMarkedEntryLogsCompletionAndPreviewsTheUnchangedFile) {
    TestForm t;
    startReady(t);
    t.useFiles("/clips/", {"a.avi", "b.avi", "c.avi"}, {0});
    t.listFiles.userClick(0);
    ASSERT_EQ(t.state().currentFile, "a.avi");
    t.boxScript.type("edited by hand");
    t.boxCmdLine.type("edited by hand");

    t.listFiles.userClick(2);

    EXPECT_EQ(t.messagesLogged(), (std::vector<std::string>{"COMPLETE all selected files processed"}));
    EXPECT_EQ(t.state().fileIndex, 2);
    EXPECT_EQ(t.state().currentFile, "a.avi");
    EXPECT_EQ(t.boxScript.text(), "Open(/clips/a.avi)");
    EXPECT_EQ(t.boxCmdLine.text(), commandLineFor("/clips/", "aP.avi"));
    EXPECT_TRUE(t.messages.shown.empty());
}

TEST(InputFileList, ClickWithNoEntryMarkedLogsNoSelectionWithoutMessageBox) {
    TestForm t;
    startReady(t);
    t.useFiles("/clips/", {"a.avi", "b.avi"}, {});

    t.listFiles.userClick(1);

    EXPECT_EQ(t.messagesLogged(), (std::vector<std::string>{"ERROR no AVI files selected"}));
    EXPECT_TRUE(t.messages.shown.empty());
    EXPECT_EQ(t.state().fileIndex, 1);
    EXPECT_EQ(t.state().currentFile, "");
    // Previews of "no file": the folder alone in the script, the bare "P" output.
    EXPECT_EQ(t.boxScript.text(), "Open(/clips/)");
    EXPECT_EQ(t.boxCmdLine.text(), commandLineFor("/clips/", "P"));
}

TEST(InputFileList, ClickHandlingSettlesWithoutRecursion) {
    TestForm t;
    startReady(t);
    pick(t, {"/clips/a.avi", "/clips/b.avi", "/clips/c.avi", "/clips/d.avi"});
    const int afterPick = t.listFiles.clicks;
    EXPECT_LE(afterPick, 2);

    t.listFiles.userToggle(1);
    t.listFiles.userToggle(2);
    t.listFiles.userClick(1); // lands on d.avi, which runs the handler once more
    EXPECT_LE(t.listFiles.clicks - afterPick, 3);
    EXPECT_EQ(t.state().currentFile, "d.avi");
    EXPECT_EQ(t.listFiles.currentIndex(), 3);
}

TEST(InputFileList, PickOfFiveThousandFilesListsThemAllMarked) {
    TestForm t;
    startReady(t);
    constexpr int total = 5000;
    std::vector<std::string> paths;
    std::multiset<std::string> names;
    for (int i = total - 1; i >= 0; --i) {
        std::string number = std::to_string(i);
        number.insert(0, 4 - number.size(), '0');
        names.insert(std::string(i % 2 ? "Clip" : "clip") + number + ".avi");
        paths.push_back("/clips/" + std::string(i % 2 ? "Clip" : "clip") + number + ".avi");
    }

    pick(t, paths);

    EXPECT_EQ(namesListed(t.listFiles), names);
    EXPECT_TRUE(std::all_of(t.listFiles.entries.begin(), t.listFiles.entries.end(),
                            [](const FakeListBox::Entry& e) { return e.selected; }));
    EXPECT_EQ(t.state().currentFile, t.listFiles.entryText(0));
    EXPECT_TRUE(t.messages.shown.empty());
    EXPECT_TRUE(t.listLog.lines.empty());
}

TEST(InputFileList, LogFileFollowsTheWorkingFolderOfThePick) {
    TestForm t;
    startReady(t);
    t.buttonStop.click();
    ASSERT_TRUE(t.files.exists("/quorbin.log"));
    const std::string before = t.files.read("/quorbin.log");

    pick(t, {"/clips/a.avi"});
    t.buttonStop.click();

    EXPECT_EQ(t.files.read("/quorbin.log"), before);
    const std::string moved = t.files.read("/clips/quorbin.log");
    const std::string stop = "STOP\r\n";
    const std::string idle = "IDLE\r\n";
    EXPECT_EQ(std::count(moved.begin(), moved.end(), '\n'), 2);
    EXPECT_NE(moved.find(stop), std::string::npos) << moved;
    EXPECT_EQ(moved.compare(moved.size() - idle.size(), idle.size(), idle), 0) << moved;
}
