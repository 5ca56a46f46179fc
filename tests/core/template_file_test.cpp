#include "fakes/TestForm.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quorbin;
using namespace quorbin::test;

namespace {

// A start-up with the template "/tpl/job.avs" stored and on disk.
void startWithTemplate(TestForm& t, const std::string& content) {
    t.files.folders.insert("/tpl/");
    t.files.files["/tpl/job.avs"] = content;
    t.settings.values[{"file", "avsPath"}] = "/tpl/job.avs";
    t.start();
}

void loadWithPicker(TestForm& t, const std::string& path) {
    t.dialog.choose({path});
    t.buttonLoadAvs.click();
}

} // namespace

TEST(TemplateFile, SaveWritesTheBoxTextAndOneLineEnd) {
    TestForm t;
    startWithTemplate(t, "Open($FILE)");
    t.boxTemplate.type("a\r\nb");
    t.buttonSaveAvs.click();

    const std::string saved = t.files.read("/tpl/job.avs");
    EXPECT_EQ(saved, "a\r\nb\r\n");
    EXPECT_EQ(saved.size(), 6u);
    EXPECT_TRUE(t.messages.shown.empty());
    EXPECT_EQ(t.boxTemplate.text(), "a\r\nb");
}

// The closing CR LF goes only where the text does not end in a line end already.
TEST(TemplateFile, LoadAndSaveWithoutEditLeavesTheFileByteForByte) {
    for (const std::string file : {"a\r\nb\r\n", "a\nb\n", "a\rb\r", "a\r\nb\r\n\r\n"}) {
        TestForm t;
        startWithTemplate(t, file);
        for (int cycle = 0; cycle < 2; ++cycle) {
            t.buttonSaveAvs.click();
            loadWithPicker(t, "/tpl/job.avs");
        }
        EXPECT_EQ(t.files.read("/tpl/job.avs"), file);
        EXPECT_TRUE(t.messages.shown.empty());
    }
}

TEST(TemplateFile, MissingFileShowsTheFailureNamingTheFileAndKeepsTheBox) {
    TestForm t;
    startWithTemplate(t, "Open($FILE)");
    t.boxTemplate.type("my edits");

    loadWithPicker(t, "/tpl/missing.avs");

    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].title, "quorbin");
    EXPECT_NE(t.messages.shown[0].text.find("/tpl/missing.avs"), std::string::npos)
        << t.messages.shown[0].text;
    EXPECT_EQ(t.boxTemplate.text(), "my edits");
    EXPECT_TRUE(t.listLog.lines.empty());
}

TEST(TemplateFile, StoredTemplateThatVanishedIsReportedAtStartUp) {
    TestForm t;
    t.settings.values[{"file", "avsPath"}] = "/tpl/gone.avs";
    t.start();

    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].title, "quorbin");
    EXPECT_NE(t.messages.shown[0].text.find("/tpl/gone.avs"), std::string::npos);
    EXPECT_EQ(t.boxTemplate.text(), "");
    // Start-up went on to the command line and the window position.
    EXPECT_EQ(t.boxCmdLine.text(), " /c /s \"\"  /p \"quorbin.avs\" \"P\" /r /x");
    EXPECT_EQ(t.window.left, 100);
}

TEST(TemplateFile, SaveWithoutAChosenTemplateShowsAMessageAndCreatesNoFile) {
    TestForm t;
    t.start();
    t.messages.shown.clear();
    t.boxTemplate.type("Open($FILE)");

    t.buttonSaveAvs.click();

    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].title, "quorbin");
    EXPECT_EQ(t.messages.shown[0].text.rfind("No template file has been chosen", 0), 0u);
    EXPECT_TRUE(t.files.files.empty());
    EXPECT_EQ(t.boxTemplate.text(), "Open($FILE)");
}

TEST(TemplateFile, FailedSaveKeepsTheEarlierFileAndTheBoxText) {
    TestForm t;
    startWithTemplate(t, "Open($FILE)\r\n");
    t.boxTemplate.type("new text");
    t.files.folders.erase("/tpl/"); // the folder can no longer be written

    t.buttonSaveAvs.click();

    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].title, "quorbin");
    EXPECT_FALSE(t.messages.shown[0].text.empty());
    EXPECT_EQ(t.files.read("/tpl/job.avs"), "Open($FILE)\r\n");
    EXPECT_EQ(t.boxTemplate.text(), "new text");
}

TEST(TemplateFile, SaveToAPathThatIsAFolderFailsAndCreatesNothing) {
    TestForm t;
    startWithTemplate(t, "Open($FILE)");
    t.files.folders.insert("/tpl/dir.avs/");
    loadWithPicker(t, "/tpl/dir.avs"); // the load fails: it is no file
    ASSERT_EQ(t.messages.shown.size(), 1u);
    t.boxTemplate.type("kept");

    t.buttonSaveAvs.click();

    ASSERT_EQ(t.messages.shown.size(), 2u);
    EXPECT_EQ(t.messages.shown[1].title, "quorbin");
    EXPECT_FALSE(t.files.exists("/tpl/dir.avs"));
    EXPECT_EQ(t.files.read("/tpl/job.avs"), "Open($FILE)");
    EXPECT_EQ(t.boxTemplate.text(), "kept");
}

TEST(TemplateFile, SaveReplacesTheWholeEarlierContent) {
    struct Case {
        std::string earlier;
        std::string box;
    };
    const std::vector<Case> cases{
        {"a much longer template with $FILE in it\r\nand a second line\r\n", "$FILE"},
        {"$FILE", "Open($FILE)\r\nTrim(0, 100)"},
        {"same length", "SAME LENGTH"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        TestForm t;
        startWithTemplate(t, c.earlier);
        t.boxTemplate.type(c.box);
        t.buttonSaveAvs.click();
        EXPECT_EQ(t.files.read("/tpl/job.avs"), c.box + "\r\n");
        EXPECT_TRUE(t.messages.shown.empty());
    }
}

TEST(TemplateFile, ZeroByteTemplateLoadsAsAnEmptyTemplateWithoutMessage) {
    TestForm t;
    startWithTemplate(t, "Open($FILE)");
    t.files.files["/tpl/empty.avs"] = "";

    loadWithPicker(t, "/tpl/empty.avs");

    EXPECT_EQ(t.boxTemplate.text(), "");
    EXPECT_TRUE(t.messages.shown.empty());
}

// A file that is not UTF-8 is read in the system's 8-bit code page (the fake's Latin-1),
// and every file is saved back as it was read.
TEST(TemplateFile, TemplateIsSavedBackInTheEncodingItWasReadIn) {
    struct Case {
        const char* what;
        std::string file;
        std::string box;
    };
    for (const Case& c : {Case{"8-bit", "caf\xE9 $FILE", "caf\xC3\xA9 $FILE"},
                          Case{"UTF-8 with a byte order mark",
                               "\xEF\xBB\xBF"
                               "caf\xC3\xA9 $FILE",
                               "caf\xC3\xA9 $FILE"},
                          Case{"UTF-8", "caf\xC3\xA9 $FILE", "caf\xC3\xA9 $FILE"}}) {
        TestForm t;
        startWithTemplate(t, c.file);
        EXPECT_EQ(t.boxTemplate.text(), c.box) << c.what;
        t.buttonSaveAvs.click();
        EXPECT_EQ(t.files.read("/tpl/job.avs"), c.file + "\r\n") << c.what;
        EXPECT_TRUE(t.messages.shown.empty()) << c.what;
    }
}

TEST(TemplateFile, ACharacterThatAn8BitTemplateCannotHoldIsNotSaved) {
    TestForm t;
    startWithTemplate(t, "caf\xE9");
    t.boxTemplate.type("5 \xE2\x82\xAC");
    t.buttonSaveAvs.click();

    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_NE(t.messages.shown[0].text.find("/tpl/job.avs"), std::string::npos) << t.messages.shown[0].text;
    EXPECT_EQ(t.files.read("/tpl/job.avs"), "caf\xE9");
    EXPECT_EQ(t.boxTemplate.text(), "5 \xE2\x82\xAC");
}

TEST(TemplateFile, BoxEditsReachTheNextScriptWithoutASave) {
    TestForm t;
    startWithTemplate(t, "Open($FILE)");
    t.useFiles("/clips/", {"a.avi", "b.avi"}, {0, 1});
    t.boxTemplate.type("Load($FILE)");
    t.listFiles.userClick(1);

    EXPECT_EQ(t.boxScript.text(), "Load(/clips/b.avi)");
    EXPECT_EQ(t.files.read("/tpl/job.avs"), "Open($FILE)");
}
