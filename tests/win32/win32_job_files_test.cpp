#include "core/Form.h"
#include "fakes/TestForm.h"
#include "job/JobBuilder.h"
#include "log/EventLog.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32ProcessControl.h"
#include "platform/win32/Win32TextCodec.h"
#include "win32/Win32TestSupport.h"

#include <gtest/gtest.h>

namespace quorbin::test {
namespace {

// UTF-8 "é" as code page 1252 writes it; the test's folder names hold no other
// character beyond ASCII.
std::string in1252(std::string text) {
    for (auto at = text.find("\xC3\xA9"); at != std::string::npos; at = text.find("\xC3\xA9", at))
        text.replace(at, 2, "\xE9");
    return text;
}

std::string shortNameOf(const std::string& path) {
    wchar_t name[32768];
    const DWORD length = ::GetShortPathNameW(widen(path).c_str(), name, 32768);
    return narrow(std::wstring(name, length));
}

// The job builder and the log over the real files and the system's ANSI code page
// (1252 in the tests), in a working folder named with an "é".
TEST(Win32JobFiles, TheJobScriptAndTheLogAreWrittenInTheAnsiCodePageWithCrLf) {
    WideTempDir work;
    wchar_t before[32768];
    ::GetCurrentDirectoryW(32768, before);
    Win32FileSystem files;
    Win32TextCodec text;
    TestForm fakes;
    fakes.filesOverride = &files;
    fakes.textOverride = &text;
    Form form{fakes.controls(), fakes.services()};
    EventLog log{form};
    JobBuilder jobs{form};
    ASSERT_TRUE(files.setCurrentDirectory(work.folder()).ok());
    form.state.aviPath = work.folder();
    fakes.boxTemplate.setText("# caf\u00e9 \u20ac\r\nOpen($FILE)");
    const std::string script = work.file("quorbin.avs");

    form.state.currentFile = "clip \u00e9.avi";
    jobs.makeScript();
    jobs.writeScript();
    EXPECT_EQ(bytesOf(script), "# caf\xE9 \x80\r\nOpen(" + in1252(work.file("clip \u00e9.avi")) + ")\r\n");

    // A name outside the code page: the program is handed the file's short name.
    const std::string foreign = work.file("\u4e2d \u0100.avi");
    writeBytes(foreign, "frames");
    form.state.currentFile = "\u4e2d \u0100.avi";
    jobs.makeScript();
    jobs.writeScript();
    const std::string shortName = shortNameOf(foreign);
    ASSERT_FALSE(shortName.empty());
    EXPECT_EQ(bytesOf(script), "# caf\xE9 \x80\r\nOpen(" + in1252(shortName) + ")\r\n");
    EXPECT_EQ(bytesOf(shortName), "frames");
    EXPECT_TRUE(fakes.messages.shown.empty());

    // No file, no short name: no script, and the message names both files.
    form.state.currentFile = "missing \u0100.avi";
    jobs.makeScript();
    jobs.writeScript();
    EXPECT_FALSE(exists(script));
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_NE(fakes.messages.shown[0].text.find("\"quorbin.avs\""), std::string::npos);
    EXPECT_NE(fakes.messages.shown[0].text.find("missing \u0100.avi"), std::string::npos);

    log.logLine("RUN process:1 file:caf\u00e9 \u4e2d.avi");
    EXPECT_EQ(bytesOf(work.file("quorbin.log")), "12:00:00 (00:00:00) RUN process:1 file:caf\xE9 ?.avi\r\n");
    ::SetCurrentDirectoryW(before);
}

// A program that reads its command line through the ANSI calls gets the paths that code
// page 1252 cannot name by their short names: the output by its folder's, as it does not
// exist yet. The watchdog keeps the real path.
TEST(Win32JobFiles, TheCommandLineNamesWhatTheCodePageLacksByShortNames) {
    WideTempDir work;
    const std::string folder = work.file("\u0141\u00f3d\u017a");
    ASSERT_TRUE(::CreateDirectoryW(widen(folder).c_str(), nullptr));
    writeBytes(folder + "\\\u0141.vcf", "settings");
    Win32TextCodec text;
    TestForm fakes;
    fakes.textOverride = &text;
    Form form{fakes.controls(), fakes.services()};
    form.state.vcfPath = folder + "\\\u0141.vcf";
    form.state.aviPath = folder + "\\";
    form.state.currentFile = "clip.avi";
    JobBuilder{form}.makeCmdLine();
    EXPECT_EQ(form.state.outputPath, folder + "\\clipP.avi");

    Win32ProcessControl processes;
    const auto launched = processes.launch({.file = besideThisProgram("ansi_standin.exe"),
                                            .parameters = fakes.boxCmdLine.text(),
                                            .directory = folder});
    ASSERT_TRUE(launched.ok()) << launched.error();
    ASSERT_TRUE(processes.waitForEnd(*launched, 20000));
    const std::string shortFolder = shortNameOf(folder) + "\\";
    EXPECT_EQ(bytesOf(folder + "\\arguments.txt"),
              in1252("/c\n/s\n" + shortNameOf(folder + "\\\u0141.vcf") + "\n/p\n" + shortFolder +
                     "quorbin.avs\n" + shortFolder + "clipP.avi\n/r\n/x\n"));
}

} // namespace
} // namespace quorbin::test
