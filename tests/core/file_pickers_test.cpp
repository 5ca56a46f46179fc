#include "fakes/TestForm.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using namespace quorbin;
using namespace quorbin::test;

namespace {

using Write = std::tuple<std::string, std::string, std::string>;

struct Picker {
    const char* name;
    FakeButton TestForm::*button;
    const char* title;
    const char* filter;
    FileKind kind;
    bool readOnlyTicked;
    const char* key;
    std::string BatchState::*field;
    FakeTextBox TestForm::*box; // null for the template picker
};

const std::vector<Picker> pickers{
    {"program", &TestForm::buttonSelectExe, "Select Program", "*.exe", FileKind::program, false, "exePath",
     &BatchState::exePath, &TestForm::boxExe},
    {"settings file", &TestForm::buttonSelectVcf, "Select VCF File", "*.vcf", FileKind::matchingFilter, false,
     "vcfPath", &BatchState::vcfPath, &TestForm::boxVcf},
    {"template", &TestForm::buttonLoadAvs, "Select AVS Script", "*.avs", FileKind::matchingFilter, true,
     "avsPath", &BatchState::avsPath, nullptr},
};

// An earlier run's choices, with every file they name on disk.
void startWithEarlierChoices(TestForm& t) {
    t.files.folders.insert("/clips/");
    t.files.folders.insert("/tpl/");
    t.files.folders.insert("/opt/");
    t.files.folders.insert("/set/");
    t.files.files["/tpl/job.avs"] = "Open($FILE)";
    t.files.files["/tpl/other.avs"] = "Load($FILE)\r\n";
    t.settings.values[{"file", "exePath"}] = "/opt/vproc.exe";
    t.settings.values[{"file", "vcfPath"}] = "/set/fast.vcf";
    t.settings.values[{"file", "avsPath"}] = "/tpl/job.avs";
    t.settings.values[{"file", "aviPath"}] = "/clips/";
    t.start();
    t.settings.writes.clear();
}

void click(TestForm& t, const Picker& p) {
    (t.*p.button).click();
}

// What a picker might touch, taken before and compared after.
struct Snapshot {
    explicit Snapshot(TestForm& t)
        : exePath(t.state().exePath), vcfPath(t.state().vcfPath), avsPath(t.state().avsPath),
          aviPath(t.state().aviPath), boxExe(t.boxExe.text()), boxVcf(t.boxVcf.text()),
          boxTemplate(t.boxTemplate.text()), boxCmdLine(t.boxCmdLine.text()), cwd(t.files.cwd),
          values(t.settings.values), writes(t.settings.writes.size()) {}
    void expectUnchanged(TestForm& t) const {
        EXPECT_EQ(t.state().exePath, exePath);
        EXPECT_EQ(t.state().vcfPath, vcfPath);
        EXPECT_EQ(t.state().avsPath, avsPath);
        EXPECT_EQ(t.state().aviPath, aviPath);
        EXPECT_EQ(t.boxExe.text(), boxExe);
        EXPECT_EQ(t.boxVcf.text(), boxVcf);
        EXPECT_EQ(t.boxTemplate.text(), boxTemplate);
        EXPECT_EQ(t.boxCmdLine.text(), boxCmdLine);
        EXPECT_EQ(t.files.cwd, cwd);
        EXPECT_EQ(t.settings.values, values);
        EXPECT_EQ(t.settings.writes.size(), writes);
    }
    std::string exePath, vcfPath, avsPath, aviPath, boxExe, boxVcf, boxTemplate, boxCmdLine, cwd;
    std::map<std::pair<std::string, std::string>, std::string> values;
    std::size_t writes;
};

} // namespace

TEST(FilePickers, EachPickerAsksForOneFileOfItsKindFromTheEarlierChoice) {
    for (const Picker& p : pickers) {
        SCOPED_TRACE(p.name);
        TestForm t;
        startWithEarlierChoices(t);
        t.dialog.cancel();
        click(t, p);

        ASSERT_EQ(t.dialog.requests.size(), 1u);
        const OpenFileRequest& request = t.dialog.requests[0];
        EXPECT_EQ(request.title, p.title);
        EXPECT_EQ(request.filter, p.filter);
        EXPECT_EQ(request.kind, p.kind);
        EXPECT_EQ(request.initialFolder, t.state().*p.field);
        EXPECT_FALSE(request.initialFolder.empty());
        EXPECT_FALSE(request.multiSelect);
        EXPECT_EQ(request.readOnlyTicked, p.readOnlyTicked);
        EXPECT_FALSE(request.mustExist);
    }
}

TEST(FilePickers, FirstPickOpensAtTheDialogsOwnDefault) {
    for (const Picker& p : pickers) {
        SCOPED_TRACE(p.name);
        TestForm t;
        t.start();
        t.dialog.cancel();
        click(t, p);
        ASSERT_EQ(t.dialog.requests.size(), 1u);
        EXPECT_EQ(t.dialog.requests[0].initialFolder, "");
    }
}

TEST(FilePickers, CancelChangesNothingAndShowsNoMessage) {
    for (const Picker& p : pickers) {
        SCOPED_TRACE(p.name);
        TestForm t;
        startWithEarlierChoices(t);
        t.boxTemplate.type("unsaved edits");
        const Snapshot before(t);

        t.dialog.cancel();
        click(t, p);

        before.expectUnchanged(t);
        EXPECT_TRUE(t.messages.shown.empty());
        EXPECT_TRUE(t.listLog.lines.empty());
    }
}

TEST(FilePickers, FailingDialogShowsItsErrorAndChangesNothing) {
    for (const Picker& p : pickers) {
        SCOPED_TRACE(p.name);
        TestForm t;
        startWithEarlierChoices(t);
        const Snapshot before(t);

        t.dialog.fail("The file name is too long for the dialog.");
        click(t, p);

        ASSERT_EQ(t.messages.shown.size(), 1u);
        EXPECT_EQ(t.messages.shown[0].text, "The file name is too long for the dialog.");
        EXPECT_EQ(t.messages.shown[0].title, "quorbin");
        before.expectUnchanged(t);
    }
}

TEST(FilePickers, ProgramChoiceIsWrittenTwiceWithTheSameValue) {
    TestForm t;
    startWithEarlierChoices(t);
    t.dialog.choose({"/opt/new/vp.exe"});
    t.buttonSelectExe.click();

    const std::vector<Write> expected{{"file", "exePath", "/opt/new/vp.exe"},
                                      {"file", "exePath", "/opt/new/vp.exe"}};
    EXPECT_EQ(t.settings.writes, expected);
    EXPECT_EQ(t.boxExe.text(), "/opt/new/vp.exe");
    EXPECT_EQ(t.state().exePath, "/opt/new/vp.exe");
    EXPECT_EQ(t.settings.read("file", "exePath").value_or("<missing>"), "/opt/new/vp.exe");
    EXPECT_TRUE(t.messages.shown.empty());
}

TEST(FilePickers, SettingsFileChoiceIsWrittenTwiceAndTheCommandLineFollows) {
    TestForm t;
    startWithEarlierChoices(t);
    t.dialog.choose({"/set/slow settings.vcf"});
    t.buttonSelectVcf.click();

    const std::vector<Write> expected{{"file", "vcfPath", "/set/slow settings.vcf"},
                                      {"file", "vcfPath", "/set/slow settings.vcf"}};
    EXPECT_EQ(t.settings.writes, expected);
    EXPECT_EQ(t.boxVcf.text(), "/set/slow settings.vcf");
    EXPECT_EQ(t.state().vcfPath, "/set/slow settings.vcf");
    EXPECT_EQ(t.boxCmdLine.text(),
              " /c /s \"/set/slow settings.vcf\"  /p \"/clips/quorbin.avs\" \"/clips/P\" /r /x");
}

TEST(FilePickers, ChoosingTheSamePathAgainStillWritesTheEntryOnce) {
    struct Case {
        const Picker& picker;
        std::string path;
    };
    const std::vector<Case> cases{{pickers[0], "/opt/vproc.exe"}, {pickers[1], "/set/fast.vcf"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.picker.name);
        TestForm t;
        startWithEarlierChoices(t);
        FakeTextBox& box = t.*c.picker.box;
        const int changesBefore = box.changes;

        t.dialog.choose({c.path});
        click(t, c.picker);

        const std::vector<Write> expected{{"file", c.picker.key, c.path}};
        EXPECT_EQ(t.settings.writes, expected);
        EXPECT_EQ(box.changes, changesBefore);
        EXPECT_EQ(box.text(), c.path);
    }
}

TEST(FilePickers, TemplateChoiceLoadsItThenStoresThePath) {
    TestForm t;
    startWithEarlierChoices(t);
    t.dialog.choose({"/tpl/other.avs"});
    t.buttonLoadAvs.click();

    EXPECT_EQ(t.boxTemplate.text(), "Load($FILE)\r\n");
    EXPECT_EQ(t.state().avsPath, "/tpl/other.avs");
    const std::vector<Write> expected{{"file", "avsPath", "/tpl/other.avs"}};
    EXPECT_EQ(t.settings.writes, expected);
    EXPECT_TRUE(t.messages.shown.empty());
}

TEST(FilePickers, ChoosingATemplateReplacesUnsavedEditsWithoutAsking) {
    TestForm t;
    startWithEarlierChoices(t);
    t.boxTemplate.type("unsaved edits");
    t.dialog.choose({"/tpl/other.avs"});
    t.buttonLoadAvs.click();

    EXPECT_EQ(t.boxTemplate.text(), "Load($FILE)\r\n");
    EXPECT_EQ(t.files.read("/tpl/job.avs"), "Open($FILE)");
    EXPECT_TRUE(t.messages.shown.empty());
}

TEST(FilePickers, TypedNameOfAMissingTemplateIsKeptAndASaveCreatesIt) {
    TestForm t;
    startWithEarlierChoices(t);
    t.dialog.choose({"/tpl/new.avs"});
    t.buttonLoadAvs.click();

    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].title, "quorbin");
    EXPECT_NE(t.messages.shown[0].text.find("/tpl/new.avs"), std::string::npos);
    EXPECT_EQ(t.boxTemplate.text(), "Open($FILE)");
    EXPECT_EQ(t.state().avsPath, "/tpl/new.avs");
    EXPECT_EQ(t.settings.read("file", "avsPath").value_or("<missing>"), "/tpl/new.avs");
    ASSERT_FALSE(t.files.exists("/tpl/new.avs"));

    t.buttonSaveAvs.click();

    EXPECT_EQ(t.files.read("/tpl/new.avs"), "Open($FILE)\r\n");
    EXPECT_EQ(t.files.read("/tpl/job.avs"), "Open($FILE)");
    EXPECT_EQ(t.messages.shown.size(), 1u);
}

TEST(FilePickers, PickersLeaveTheWorkingFolderAlone) {
    const std::vector<std::string> chosen{"/elsewhere/vp.exe", "/elsewhere/fast.vcf", "/elsewhere/job.avs"};
    for (std::size_t i = 0; i < pickers.size(); ++i) {
        SCOPED_TRACE(pickers[i].name);
        TestForm t;
        startWithEarlierChoices(t);
        t.files.folders.insert("/elsewhere/");
        t.files.files["/elsewhere/job.avs"] = "$FILE";

        t.dialog.choose({chosen[i]});
        click(t, pickers[i]);

        EXPECT_EQ(t.state().*pickers[i].field, chosen[i]);
        EXPECT_EQ(t.files.cwd, "/clips/");
        EXPECT_EQ(t.state().aviPath, "/clips/");
        EXPECT_TRUE(t.messages.shown.empty());
    }
}

TEST(FilePickers, ChoiceThatCannotBeStoredIsReported) {
    for (const Picker& p : pickers) {
        SCOPED_TRACE(p.name);
        TestForm t;
        startWithEarlierChoices(t);
        t.files.files["/tpl/new.avs"] = "$FILE";
        t.settings.failWrites = true;

        t.dialog.choose({p.box ? "/opt/new.exe" : "/tpl/new.avs"});
        click(t, p);

        ASSERT_EQ(t.messages.shown.size(), 1u);
        EXPECT_EQ(t.messages.shown[0].title, "quorbin");
        EXPECT_FALSE(t.messages.shown[0].text.empty());
    }
}

TEST(FilePickers, NewProgramDuringABatchServesTheNextFileNotTheRunningOne) {
    TestForm t;
    startWithEarlierChoices(t);
    t.useFiles("/clips/", {"a.avi", "b.avi"}, {0, 1});
    t.buttonStart.click();
    ASSERT_EQ(t.processes.launches.size(), 1u);
    EXPECT_EQ(t.processes.launches[0].file, "/opt/vproc.exe");

    t.dialog.choose({"/opt/other.exe"});
    t.buttonSelectExe.click();
    EXPECT_TRUE(t.processes.running(4001));
    EXPECT_TRUE(t.processes.terminated.empty());

    t.files.files["/clips/aP.avi"] = "output"; // the watchdog acts once the output exists
    t.processes.exit(4001, 0);
    for (int ticks = 0; ticks < 200 && t.processes.launches.size() < 2; ++ticks)
        t.tick();

    ASSERT_EQ(t.processes.launches.size(), 2u);
    EXPECT_EQ(t.processes.launches[1].file, "/opt/other.exe");
    EXPECT_EQ(t.state().currentFile, "b.avi");
}
