#include "job/JobText.h"

#include "fakes/TestForm.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quorbin;
using namespace quorbin::test;

namespace {

struct Script {
    std::string templateText;
    std::string script;
};

struct Name {
    std::string input;
    std::string output;
};

struct Command {
    std::string vcfPath;
    std::string folder;
    std::string outputPath;
    std::string line;
};

} // namespace

// The rules are text rules: the folder is joined as stored, whatever its separator.
TEST(ScriptFor, ReplacesOnlyTheFirstUpperCasePlaceholder) {
    const std::string folder = R"(D:\jobs\)";
    const std::vector<Script> cases{
        {"Open($FILE)", R"(Open(D:\jobs\clip.avi))"},
        {"$FILE", R"(D:\jobs\clip.avi)"},
        {"A $FILE B $FILE", R"(A D:\jobs\clip.avi B $FILE)"},
        {"Import($file)\r\nOpen($FILE)\r\n", "Import($file)\r\nOpen(D:\\jobs\\clip.avi)\r\n"},
        {"$file $File", "$file $File"},
        {"$FILEX", R"(D:\jobs\clip.aviX)"},
        {"$$FILE", R"($D:\jobs\clip.avi)"},
        {"$FILE$FILE", R"(D:\jobs\clip.avi$FILE)"},
        {"Open $FILE", R"(Open D:\jobs\clip.avi)"},
        {"$FIL E", "$FIL E"},
        // Without the placeholder the template is the script as it stands.
        {"Version()\r\n", "Version()\r\n"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(scriptFor(c.templateText, folder, "clip.avi"), c.script)
            << "template \"" << c.templateText << "\"";
}

TEST(ScriptFor, JoinsALinuxFolderAsStored) {
    EXPECT_EQ(scriptFor("AviSource(\"$FILE\")", "/home/ann/my jobs/", "take 1.avi"),
              "AviSource(\"/home/ann/my jobs/take 1.avi\")");
}

TEST(OutputName, InsertsPBeforeTheFirstDot) {
    const std::vector<Name> cases{
        {"clip.avi", "clipP.avi"},
        {"my.clip.avi", "myP.clip.avi"},
        {"CLIP.AVI", "CLIPP.AVI"},
        {"clip", "clipP"},
        {".avi", "P.avi"},
        {"clip.", "clipP."},
        {"", "P"},
        {"take 1.avi", "take 1P.avi"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(outputName(c.input), c.output) << "input \"" << c.input << "\"";
}

TEST(CommandLine, FollowsTheFixedFormatWithItsBlanksAndQuotes) {
    const std::vector<Command> cases{
        // The example: a leading blank, two blanks before /p, no trailing blank.
        {R"(C:\set\fast.vcf)", R"(D:\jobs\)", R"(D:\jobs\clipP.avi)",
         R"( /c /s "C:\set\fast.vcf"  /p "D:\jobs\quorbin.avs" "D:\jobs\clipP.avi" /r /x)"},
        // Blanks in the paths are inserted unchanged between the quotes.
        {R"(C:\my settings\fast one.vcf)", R"(D:\my jobs\)", R"(D:\my jobs\take 1P.avi)",
         R"( /c /s "C:\my settings\fast one.vcf"  /p "D:\my jobs\quorbin.avs" "D:\my jobs\take 1P.avi" /r /x)"},
        // No settings file yet: two adjacent quotes after /s.
        {"", R"(D:\jobs\)", R"(D:\jobs\clipP.avi)",
         R"( /c /s ""  /p "D:\jobs\quorbin.avs" "D:\jobs\clipP.avi" /r /x)"},
        {"/home/ann/set/fast.vcf", "/home/ann/jobs/", "/home/ann/jobs/clipP.avi",
         R"( /c /s "/home/ann/set/fast.vcf"  /p "/home/ann/jobs/quorbin.avs" "/home/ann/jobs/clipP.avi" /r /x)"},
        // Start-up, before any folder or file: the output name alone.
        {"", "", "P", R"( /c /s ""  /p "quorbin.avs" "P" /r /x)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(commandLine(c.vcfPath, c.folder, c.outputPath), c.line)
            << "settings \"" << c.vcfPath << "\"";
}

// A double quote may stand in a file name here; escaped, it reaches the program as part
// of the path instead of ending it. Other paths are left exactly as they are.
TEST(CommandLine, EscapesOnlyWhatWouldEndAQuotedPath) {
    const struct {
        const char* path;
        const char* quoted;
    } cases[] = {
        {"/v/clip.avi", R"("/v/clip.avi")"},
        {"", R"("")"},
        {R"(D:\jobs\clipP.avi)", R"("D:\jobs\clipP.avi")"},
        {R"(/v/Say "hi" clips/aP.avi)", R"("/v/Say \"hi\" clips/aP.avi")"},
        {R"(/v/a\"b)", R"("/v/a\\\"b")"},
        {R"(/v/set\)", R"("/v/set\\")"},
        {R"(/v/set\\)", R"("/v/set\\\\")"},
        {R"(/v/"")", R"("/v/\"\"")"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(quotedPath(c.path), c.quoted) << c.path;
    EXPECT_EQ(commandLine("/s/q\"t.vcf", "/v/\"x\"/", "/v/\"x\"/aP.avi"),
              R"( /c /s "/s/q\"t.vcf"  /p "/v/\"x\"/quorbin.avs" "/v/\"x\"/aP.avi" /r /x)");
}

// Start-up builds the command line before any entry has been prepared: the output is
// the working folder followed by "P", and the script stays empty.
TEST(JobBuilder, StartUpBuildsTheCommandLineWithoutACurrentFile) {
    TestForm t;
    t.files.folders.insert("/home/ann/jobs/");
    t.settings.values[{"file", "aviPath"}] = "/home/ann/jobs/";
    t.settings.values[{"file", "vcfPath"}] = "/home/ann/set/fast.vcf";
    t.start();

    EXPECT_EQ(t.state().outputPath, "/home/ann/jobs/P");
    EXPECT_EQ(t.boxCmdLine.text(),
              R"( /c /s "/home/ann/set/fast.vcf"  /p "/home/ann/jobs/quorbin.avs" "/home/ann/jobs/P" /r /x)");
    EXPECT_EQ(t.boxScript.text(), "");
}

// The settings box drives the command line with every keystroke, replacing an edit.
TEST(JobBuilder, ChangingTheSettingsFileRebuildsAnEditedCommandLine) {
    TestForm t;
    t.start();
    t.useFiles("/home/ann/jobs/", {"clip.avi"}, {0});
    t.boxCmdLine.type("edited by hand");

    t.boxVcf.type("/home/ann/set/slow.vcf");

    EXPECT_EQ(t.boxCmdLine.text(),
              R"( /c /s "/home/ann/set/slow.vcf"  /p "/home/ann/jobs/quorbin.avs" "/home/ann/jobs/P" /r /x)");
}
