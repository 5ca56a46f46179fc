#include "platform/win32/Win32ProcessControl.h"

#include "platform/win32/ProcessStartCalls.h"
#include "win32/Win32TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorbin::test {
namespace {

constexpr DWORD patience = 20000;

// Ends at the end of the test whatever the test left running.
struct Launched {
    Win32ProcessControl& processes;
    ProcessHandle handle;
    ~Launched() { (void)processes.terminate(handle); }
};

LaunchRequest standIn(const std::string& parameters, const std::string& folder) {
    LaunchRequest request;
    request.file = besideThisProgram("standin.exe");
    request.parameters = parameters;
    request.directory = folder;
    return request;
}

// Opens the process whose id the stand-in wrote into `pidFile`.
HANDLE openWrittenProcess(const std::string& pidFile) {
    return ::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, std::stoul(bytesOf(pidFile)));
}

TEST(Win32ProcessControl, TheProgramGetsItsArgumentsAndWorkingFolderExactly) {
    WideTempDir work;
    // A program whose own path holds a blank and an "é" as well.
    const std::string program = work.file("stand in \u00e9.exe");
    ASSERT_TRUE(::CopyFileW(widen(besideThisProgram("standin.exe")).c_str(), widen(program).c_str(), TRUE));
    LaunchRequest request = standIn("", work.folder());
    request.file = program;
    const std::string settings = work.file("my settings.vcf");
    const std::string output = work.file("clip \u00e9P.avi");
    // The processing program's command line, then an embedded quote and a trailing backslash.
    request.parameters = " record /c /s \"" + settings + "\"  /p \"" + work.folder() + "quorbin.avs\" \"" +
                         output + "\" /r /x" + R"( "say \"hi\"" "ends in \\" x)";

    Win32ProcessControl processes;
    const Result<ProcessHandle> launched = processes.launch(request);
    ASSERT_TRUE(launched.ok()) << launched.error();
    const Launched guard{processes, *launched};
    EXPECT_GT(*launched, 0);
    ASSERT_TRUE(processes.waitForEnd(*launched, patience));
    EXPECT_EQ(processes.exitCode(*launched), endedWith(0));

    const std::vector<std::string> lines{narrow(work.path().wstring()),
                                         "/c",
                                         "/s",
                                         settings,
                                         "/p",
                                         work.folder() + "quorbin.avs",
                                         output,
                                         "/r",
                                         "/x",
                                         "say \"hi\"",
                                         "ends in \\",
                                         "x"};
    std::string expected;
    for (const std::string& line : lines)
        expected += line + "\n";
    EXPECT_EQ(bytesOf(work.file("arguments.txt")), expected);
}

// 259 is also the code that the system gives for a running program.
TEST(Win32ProcessControl, ExitCodeIsRunningWhileRunningThenTheProgramsOwn) {
    for (const std::uint32_t exitsWith : {42u, 0u, 259u}) {
        SCOPED_TRACE(exitsWith);
        WideTempDir work;
        NamedEvent finish;
        Win32ProcessControl processes;
        const auto launched = processes.launch(
            standIn(" wait " + finish.name() + " " + std::to_string(exitsWith), work.folder()));
        ASSERT_TRUE(launched.ok()) << launched.error();
        const Launched guard{processes, *launched};
        EXPECT_EQ(processes.exitCode(*launched), stillRunning);
        finish.set();
        ASSERT_TRUE(processes.waitForEnd(*launched, patience));
        EXPECT_EQ(processes.exitCode(*launched), endedWith(exitsWith));
        EXPECT_FALSE(processes.terminate(*launched)) << "an ended program is not ended again";
    }
}

// "leave": the program has ended by itself, and what it left running ends all the same.
TEST(Win32ProcessControl, TerminateEndsTheProgramAndWhatItStarted) {
    for (const std::string mode : {"spawn", "leave"}) {
        SCOPED_TRACE(mode);
        WideTempDir work;
        NamedEvent ready;
        Win32ProcessControl processes;
        const auto launched = processes.launch(
            standIn(" " + mode + " " + ready.name() + " \"" + work.file("child.pid") + "\"", work.folder()));
        ASSERT_TRUE(launched.ok()) << launched.error();
        const Launched guard{processes, *launched};
        ASSERT_TRUE(ready.waitSet(patience));
        ASSERT_EQ(processes.waitForEnd(*launched, mode == "spawn" ? 0 : patience), mode == "leave");
        HANDLE grandchild = openWrittenProcess(work.file("child.pid"));
        ASSERT_NE(grandchild, nullptr);

        EXPECT_EQ(processes.terminate(*launched), mode == "spawn") << "whether the program itself ran";
        EXPECT_EQ(::WaitForSingleObject(grandchild, patience), WAIT_OBJECT_0);
        EXPECT_NE(processes.exitCode(*launched), stillRunning);
        EXPECT_FALSE(processes.terminate(*launched));
        ::TerminateProcess(grandchild, 1);
        ::CloseHandle(grandchild);
    }
}

// Another instance of the tool (this one crashed: its handles are gone) finds the job
// again by its identity and ends it with its worker; the same id with another creation
// time is a stranger and is left alone.
TEST(Win32ProcessControl, ALeftoverJobIsEndedByAnotherInstanceAndAStrangerIsNot) {
    WideTempDir work;
    NamedEvent ready;
    Win32ProcessControl crashed;
    const auto launched = crashed.launch(
        standIn(" spawn " + ready.name() + " \"" + work.file("child.pid") + "\"", work.folder()));
    ASSERT_TRUE(launched.ok()) << launched.error();
    ASSERT_TRUE(ready.waitSet(patience));
    const ProcessIdentity job = crashed.identity(*launched);
    ASSERT_EQ(job.id, *launched);
    HANDLE program = ::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, static_cast<DWORD>(job.id));
    HANDLE worker = openWrittenProcess(work.file("child.pid"));
    crashed.release(*launched);

    Win32ProcessControl later;
    ProcessIdentity stranger = job;
    stranger.started += "0";
    EXPECT_FALSE(later.isRunning(stranger));
    EXPECT_FALSE(later.endLeftover(stranger).ok());
    EXPECT_EQ(::WaitForSingleObject(program, 0), static_cast<DWORD>(WAIT_TIMEOUT));

    EXPECT_TRUE(later.isRunning(job));
    EXPECT_TRUE(later.endLeftover(job).ok());
    EXPECT_EQ(::WaitForSingleObject(program, patience), WAIT_OBJECT_0);
    EXPECT_EQ(::WaitForSingleObject(worker, patience), WAIT_OBJECT_0);
    for (HANDLE process : {program, worker}) {
        ::TerminateProcess(process, 1);
        ::CloseHandle(process);
    }
}

// Under Wine a child inherits no error mode and a job keeps no such limit: the calls are
// what is checked, around a real launch.
std::vector<std::string> startCalls;
UINT WINAPI recordErrorMode(UINT mode) {
    startCalls.push_back("error mode " + std::to_string(mode));
    return ::SetErrorMode(mode);
}
BOOL WINAPI recordJobLimits(HANDLE job, JOBOBJECTINFOCLASS kind, LPVOID limits, DWORD size) {
    const auto* extended = static_cast<const JOBOBJECT_EXTENDED_LIMIT_INFORMATION*>(limits);
    startCalls.push_back(std::to_string(kind) + " " +
                         std::to_string(extended->BasicLimitInformation.LimitFlags));
    return ::SetInformationJobObject(job, kind, limits, size);
}

TEST(Win32ProcessControl, AProgramRunsWithoutErrorDialogsAndEndsAtAnUnhandledException) {
    WideTempDir work;
    const ProcessStartCalls recorder{recordErrorMode, recordJobLimits};
    Win32ProcessControl processes(recorder);
    const UINT own = ::GetErrorMode();
    const auto launched = processes.launch(standIn(" record", work.folder()));
    ASSERT_TRUE(launched.ok()) << launched.error();
    ASSERT_TRUE(processes.waitForEnd(*launched, patience));
    // 0x8003: no critical-error, fault or open-file box, then the tool's own mode again;
    // extended limits (9): 0x400, die on an unhandled exception, and not kill-on-close.
    const std::vector<std::string> expected{"error mode 32771", "error mode " + std::to_string(own),
                                            "9 1024"};
    EXPECT_EQ(startCalls, expected);
}

// A program that reads its command line through the ANSI calls would get a look-alike
// for a character that the code page lacks: a full-width quote as a quote, which splits
// the arguments; "Ł" as "L", which names another file.
TEST(Win32ProcessControl, ACommandLineThatTheAnsiCodePageCannotCarryStartsNothing) {
    ASSERT_EQ(::GetACP(), 1252u);
    WideTempDir work;
    LaunchRequest request = standIn("", work.folder());
    request.file = besideThisProgram("ansi_standin.exe");
    Win32ProcessControl processes;
    for (const std::string character : {"\uFF02", "\u0141"}) {
        request.parameters = " \"" + work.file("a" + character + "b.avi") + "\" /x";
        const auto launched = processes.launch(request);
        ASSERT_FALSE(launched.ok()) << character;
        EXPECT_NE(launched.error().find("command line would not reach it"), std::string::npos)
            << launched.error();
        EXPECT_NE(launched.error().find("1252 lacks the character \"" + character), std::string::npos);
    }
    EXPECT_FALSE(exists(work.file("arguments.txt")));
}

TEST(Win32ProcessControl, NeitherReleaseNorTheEndOfTheControlEndsAProgram) {
    WideTempDir work;
    NamedEvent releasedReady, keptReady;
    HANDLE released = nullptr;
    HANDLE kept = nullptr;
    {
        Win32ProcessControl processes;
        const auto first = processes.launch(standIn(
            " hold " + releasedReady.name() + " \"" + work.file("released.pid") + "\"", work.folder()));
        const auto second = processes.launch(
            standIn(" hold " + keptReady.name() + " \"" + work.file("kept.pid") + "\"", work.folder()));
        ASSERT_TRUE(first.ok() && second.ok());
        ASSERT_TRUE(releasedReady.waitSet(patience) && keptReady.waitSet(patience));
        released = openWrittenProcess(work.file("released.pid"));
        kept = openWrittenProcess(work.file("kept.pid"));
        processes.release(*first);
        EXPECT_FALSE(processes.exitCode(*first).ok()) << "a released handle reaches no process";
        EXPECT_FALSE(processes.terminate(*first));
        EXPECT_EQ(*second, std::stoi(bytesOf(work.file("kept.pid")))) << "the handle is the process id";
    }
    for (HANDLE program : {released, kept}) {
        ASSERT_NE(program, nullptr);
        EXPECT_EQ(::WaitForSingleObject(program, 0), static_cast<DWORD>(WAIT_TIMEOUT));
        ::TerminateProcess(program, 1);
        ::WaitForSingleObject(program, patience);
        ::CloseHandle(program);
    }
}

// cmd.exe runs a batch file and reads its command line first: a file name must reach the
// batch file as it is, and nothing in it may start another program. A batch file is known
// by its name as the system resolves it.
TEST(Win32ProcessControl, BatchFileGetsFileNamesAsTheyAreOrIsNotStarted) {
    WideTempDir work;
    for (const char* name : {"run.bat", "run.cmd"})
        writeBytes(work.file(name), "@echo %1>args.txt\r\n"); // in the working folder
    // What a misread "a&b.avi" would start.
    writeBytes(work.file("b.avi.bat"), "@echo started>\"%~dp0marker.txt\"\r\n");
    struct Case {
        std::string parameters;
        std::string refusedFor; // empty: started
        std::string program = "run.bat";
    };
    const std::vector<Case> cases{
        {" \"" + work.file("a&b.avi") + "\"", ""},
        {" " + work.file("a&b.avi"), "\"&\""},
        {" \"" + work.file("a|b^c<d>.avi") + "\"", ""},
        {" \"" + work.file("100%PATH%.avi") + "\"", "\"%PATH%\""},
        {" \"" + work.file("50% off.avi") + "\"", ""},
        {" \"" + work.file("open.avi"), "unpaired double quote"},
    };
    std::vector<Case> named = cases;
    for (const char* program : {"RUN.BAT", "Run.Cmd", "run.bat.", "run.bat ", "run.cmd. ."})
        named.push_back({cases[1].parameters, cases[1].refusedFor, program});
    Win32ProcessControl processes;
    for (const Case& c : named) {
        SCOPED_TRACE("\"" + c.program + "\"" + c.parameters);
        ::DeleteFileW(widen(work.file("args.txt")).c_str());
        LaunchRequest request = standIn(c.parameters, work.folder());
        request.file = work.file(c.program);
        const auto launched = processes.launch(request);
        if (!c.refusedFor.empty()) {
            ASSERT_FALSE(launched.ok());
            EXPECT_NE(launched.error().find(c.refusedFor), std::string::npos) << launched.error();
            EXPECT_NE(launched.error().find(c.program), std::string::npos) << launched.error();
            EXPECT_FALSE(exists(work.file("args.txt")));
            continue;
        }
        ASSERT_TRUE(launched.ok()) << launched.error();
        const Launched guard{processes, *launched};
        ASSERT_TRUE(processes.waitForEnd(*launched, patience));
        EXPECT_EQ(processes.exitCode(*launched), endedWith(0));
        // cmd.exe writes in the console's code page: the name's ASCII end is compared, after
        // any "%" (Wine's cmd.exe, not Windows', drops a lone "%" where it expands %1).
        const std::string arguments = bytesOf(work.file("args.txt"));
        const std::string name = c.parameters.substr(c.parameters.find_last_of("\\%") + 1);
        EXPECT_NE(arguments.find(name), std::string::npos) << arguments;
    }
    EXPECT_FALSE(exists(work.file("marker.txt")));
}

TEST(Win32ProcessControl, FailuresNameTheProgramAndTheSystemsReason) {
    WideTempDir work;
    Win32ProcessControl processes;
    LaunchRequest missing = standIn(" record", work.folder());
    missing.file = work.file("missing.exe");
    LaunchRequest noFolder = standIn(" record", work.file("no such folder\\"));
    for (const LaunchRequest& request : {missing, noFolder}) {
        const auto launched = processes.launch(request);
        ASSERT_FALSE(launched.ok());
        const std::string start = "The program " + request.file + " could not be started: ";
        EXPECT_EQ(launched.error().rfind(start, 0), 0u) << launched.error();
        EXPECT_GT(launched.error().size(), start.size() + 3) << "the system's reason follows";
    }
    EXPECT_FALSE(processes.launch(LaunchRequest{}).ok());
    for (const ProcessHandle unknown : {0, 1, 12345}) {
        EXPECT_FALSE(processes.exitCode(unknown).ok());
        EXPECT_FALSE(processes.terminate(unknown));
    }
}

} // namespace
} // namespace quorbin::test
