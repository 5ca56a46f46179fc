#include "platform/win32/Win32ProcessControl.h"

#include "platform/win32/ProcessStartCalls.h"
#include "platform/win32/SystemMessage.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32TextCodec.h"

#include <cwctype>
#include <string_view>

namespace quorbin {

namespace {

// A process that was terminated normally ends at once; this bounds the wait for one
// stuck in the system, which then ends in its own time.
constexpr DWORD endAfterTerminateLimit = 5000;

std::string startFailure(const std::string& program, const std::string& reason) {
    return "The program " + program + " could not be started: " + reason;
}

// The name as the system resolves it when it opens the file: relative parts resolved,
// and the trailing dots and blanks that it drops dropped ("run.bat." is run.bat).
std::wstring fullPath(const std::wstring& path) {
    const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    const DWORD length = size == 0 ? 0 : ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size)
        return path;
    full.resize(length);
    return full;
}

bool endsWithIgnoringCase(std::wstring_view text, std::wstring_view end) {
    if (text.size() < end.size())
        return false;
    for (std::size_t i = 0; i < end.size(); ++i)
        if (std::towlower(text[text.size() - end.size() + i]) != end[i])
            return false;
    return true;
}

bool isBatchFile(std::wstring_view program) {
    return endsWithIgnoringCase(program, L".bat") || endsWithIgnoringCase(program, L".cmd");
}

// The first "%name%" of a command line: cmd.exe expands it wherever it stands, between
// quotes too, when a variable has that name. A lone "%" and "%%" it passes on.
std::wstring_view variableIn(std::wstring_view line) {
    for (std::size_t at = line.find(L'%'); at != std::wstring_view::npos;) {
        const std::size_t next = line.find(L'%', at + 1);
        if (next == std::wstring_view::npos)
            break;
        if (next > at + 1)
            return line.substr(at, next - at + 1);
        at = next;
    }
    return {};
}

// The first text of a command line that cmd.exe would act on rather than pass on: a
// variable, an operator outside double quotes, a line end, or a quote left open. Empty
// when there is none.
std::wstring_view cmdOwnTextIn(std::wstring_view line) {
    if (const std::wstring_view variable = variableIn(line); !variable.empty())
        return variable;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const wchar_t c = line[i];
        const bool lineEnd = c == L'\r' || c == L'\n';
        const bool unquoted = !quoted && std::wstring_view(L"&|<>^").find(c) != std::wstring_view::npos;
        if (lineEnd || unquoted)
            return line.substr(i, 1);
        if (c == L'"')
            quoted = !quoted;
    }
    return quoted ? std::wstring_view(L"\"") : std::wstring_view();
}

std::string describe(std::wstring_view text) {
    if (text == L"\r" || text == L"\n")
        return "a line end";
    if (text == L"\"")
        return "an unpaired double quote";
    return "\"" + narrow(text) + "\"";
}

// A program that reads its command line through the ANSI calls gets it converted to the
// ANSI code page with best fit: a character that the code page lacks arrives as a
// look-alike (a full-width quote as a real one, which splits the arguments; "Ł" as an
// "L", which names another file). So the line is launched only where every character
// converts exactly; the program's own path, which exists, may stand in by its short name.
Result<std::wstring> exactCommandLine(const std::string& program, const std::string& parameters) {
    const Win32TextCodec codec;
    const auto notExact = [&](const char* where, const std::string& reason) {
        return Failure{"The program " + program + " was not started: " + where +
                       " would not reach it as it stands: " + reason +
                       ". Rename the file or folder whose name holds it."};
    };
    const Result<std::string> name = codec.programName(program);
    if (!name)
        return notExact("its path", codec.programBytes(program).error());
    if (const Result<std::string> bytes = codec.programBytes(parameters); !bytes)
        return notExact("its command line", bytes.error());
    // The parameters follow the quoted name exactly as they stand (they begin with a blank).
    return L"\"" + widen(*name) + L"\"" + widen(parameters);
}

// The error mode that the program inherits while this object lives: the system shows no
// dialog for a crash, a missing DLL or a drive without its disk, and the program ends
// instead of holding the batch until someone clicks. The tool's own mode comes back.
class ErrorModeForChild {
public:
    explicit ErrorModeForChild(const ProcessStartCalls& calls)
        : calls_(calls),
          own_(calls.setErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX)) {}
    ~ErrorModeForChild() { calls_.setErrorMode(own_); }
    ErrorModeForChild(const ErrorModeForChild&) = delete;
    ErrorModeForChild& operator=(const ErrorModeForChild&) = delete;

private:
    const ProcessStartCalls& calls_;
    UINT own_;
};

// A job of its own lets terminate end the program with everything it started, and ends
// a program at its first unhandled exception. Not kill-on-close: closing the tool leaves
// the program running. Null where the system refuses (the tool itself runs in a job that
// takes no nested ones): the program then runs without, and terminate ends it alone.
UniqueHandle jobFor(HANDLE process, const std::wstring& name, const ProcessStartCalls& calls) {
    UniqueHandle job(::CreateJobObjectW(nullptr, name.c_str()));
    if (!job.valid())
        return job;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
    (void)calls.setJobInformation(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
    if (!::AssignProcessToJobObject(job.get(), process)) {
        job.reset();
        return job;
    }
    // A name lasts as long as a handle to its object: the program's own keeps the job
    // reachable by name after this tool has gone.
    HANDLE programs = nullptr;
    (void)::DuplicateHandle(::GetCurrentProcess(), job.get(), process, &programs, 0, FALSE,
                            DUPLICATE_SAME_ACCESS);
    return job;
}

std::string creationTimeOf(HANDLE process) {
    FILETIME created{};
    FILETIME exited{};
    FILETIME kernel{};
    FILETIME user{};
    if (!::GetProcessTimes(process, &created, &exited, &kernel, &user))
        return {};
    return std::to_string((static_cast<unsigned long long>(created.dwHighDateTime) << 32) |
                          created.dwLowDateTime);
}

std::wstring jobName(std::int64_t id, const std::string& started) {
    return L"Local\\quorbin.job." + std::to_wstring(id) + L"." + widen(started);
}

// The process of that identity, while it runs: none for a process under the id that was
// created at another time.
UniqueHandle runningProcess(const ProcessIdentity& job, DWORD access) {
    UniqueHandle process(::OpenProcess(access | PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE,
                                       static_cast<DWORD>(job.id)));
    if (!process.valid() || creationTimeOf(process.get()) != job.started ||
        ::WaitForSingleObject(process.get(), 0) != WAIT_TIMEOUT)
        return {};
    return process;
}

// The job by its name while anything of it runs.
UniqueHandle liveJob(const ProcessIdentity& job, DWORD access) {
    UniqueHandle opened(
        ::OpenJobObjectW(access | JOB_OBJECT_QUERY, FALSE, jobName(job.id, job.started).c_str()));
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
    if (!opened.valid() ||
        !::QueryInformationJobObject(opened.get(), JobObjectBasicAccountingInformation, &accounting,
                                     sizeof accounting, nullptr) ||
        accounting.ActiveProcesses == 0)
        return {};
    return opened;
}

std::wstring commandProcessor() {
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return L"cmd.exe";
    return std::wstring(folder, length) + L"\\cmd.exe";
}

} // namespace

const ProcessStartCalls& systemProcessStartCalls() {
    static const ProcessStartCalls calls{::SetErrorMode, ::SetInformationJobObject};
    return calls;
}

Win32ProcessControl::Win32ProcessControl() : calls_(systemProcessStartCalls()) {}

Win32ProcessControl::~Win32ProcessControl() {
    for (auto& [handle, job] : jobs_) {
        ::CloseHandle(job.process);
        if (job.job != nullptr)
            ::CloseHandle(job.job);
    }
}

Result<ProcessHandle> Win32ProcessControl::launch(const LaunchRequest& request) {
    if (request.file.empty())
        return Failure{"No program is chosen."};

    std::wstring application = fullPath(widen(request.file));
    Result<std::wstring> exact = exactCommandLine(narrow(application), request.parameters);
    if (!exact)
        return Failure{exact.error()};
    std::wstring commandLine = std::move(exact.value());
    if (isBatchFile(application)) {
        if (const std::wstring_view own = cmdOwnTextIn(commandLine); !own.empty())
            return Failure{
                "The program " + request.file +
                " is a batch file, which runs through cmd.exe, and cmd.exe would read " + describe(own) +
                " in its command line as its own: it was not started. Choose the program itself, or "
                "rename the files so that their names leave out % & | < > ^."};
        // /s: cmd.exe takes off exactly the outer pair of quotes and runs the rest as it
        // stands. /d: no AutoRun commands of the registry; /v:off: ! is a plain character.
        application = commandProcessor();
        commandLine = L"\"" + application + L"\" /d /v:off /s /c \"" + commandLine + L"\"";
    }
    const std::wstring directory = widen(request.directory);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(request.show);
    PROCESS_INFORMATION started{};
    // Suspended until it is in its job, so nothing it starts can escape the job. The tool
    // is a window program without a console, so a console program gets one of its own.
    BOOL created = FALSE;
    {
        const ErrorModeForChild noDialogs(calls_);
        created = ::CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                                   CREATE_SUSPENDED | CREATE_UNICODE_ENVIRONMENT, nullptr,
                                   directory.empty() ? nullptr : directory.c_str(), &startup, &started);
    }
    if (!created)
        return Failure{startFailure(request.file, systemMessage(::GetLastError()))};
    UniqueHandle process(started.hProcess);
    UniqueHandle thread(started.hThread);
    const std::string createdAt = creationTimeOf(process.get());
    UniqueHandle job = jobFor(process.get(), jobName(started.dwProcessId, createdAt), calls_);
    if (::ResumeThread(thread.get()) == static_cast<DWORD>(-1)) {
        const std::string reason = systemMessage(::GetLastError());
        ::TerminateProcess(process.get(), 1);
        return Failure{startFailure(request.file, reason)};
    }

    // The process object stays open until release, so no other process gets this id
    // meanwhile. Ids are multiples of 4 far below INT32_MAX.
    const auto handle = static_cast<ProcessHandle>(started.dwProcessId);
    jobs_[handle] = Job{process.release(), job.release(), createdAt};
    return handle;
}

ProcessIdentity Win32ProcessControl::identity(ProcessHandle handle) {
    const auto it = jobs_.find(handle);
    if (handle <= 0 || it == jobs_.end() || it->second.started.empty())
        return {};
    return ProcessIdentity{handle, it->second.started};
}

bool Win32ProcessControl::isRunning(const ProcessIdentity& job) {
    if (job.id <= 0 || job.started.empty())
        return false;
    return runningProcess(job, 0).valid() || liveJob(job, 0).valid();
}

Result<void> Win32ProcessControl::endLeftover(const ProcessIdentity& job) {
    const std::string who = "The program of the interrupted batch (process " + std::to_string(job.id) + ")";
    if (job.id <= 0 || job.started.empty())
        return Failure{who + " is not known."};
    const UniqueHandle process = runningProcess(job, PROCESS_TERMINATE);
    if (const UniqueHandle opened = liveJob(job, JOB_OBJECT_TERMINATE); opened.valid()) {
        if (!::TerminateJobObject(opened.get(), 0))
            return Failure{who + " could not be ended: " + systemMessage(::GetLastError())};
    } else if (!process.valid()) {
        return Failure{who + " no longer runs."};
    } else if (!::TerminateProcess(process.get(), 0)) {
        return Failure{who + " could not be ended: " + systemMessage(::GetLastError())};
    }
    if (process.valid())
        ::WaitForSingleObject(process.get(), endAfterTerminateLimit);
    return Ok{};
}

Result<ProcessStatus> Win32ProcessControl::exitCode(ProcessHandle handle) {
    const auto it = jobs_.find(handle);
    if (handle <= 0 || it == jobs_.end())
        return Failure{"No process has the handle " + std::to_string(handle) + "."};
    HANDLE process = it->second.process;
    // A program may itself end with code 259, the code that GetExitCodeProcess also gives
    // for a running one: the process object, not the code, tells whether it has ended.
    const DWORD state = ::WaitForSingleObject(process, 0);
    if (state == WAIT_TIMEOUT)
        return stillRunning;
    DWORD code = 0;
    if (state != WAIT_OBJECT_0 || !::GetExitCodeProcess(process, &code))
        return Failure{"The state of process " + std::to_string(handle) +
                       " cannot be read: " + systemMessage(::GetLastError())};
    return endedWith(code);
}

bool Win32ProcessControl::terminate(ProcessHandle handle) {
    const auto it = jobs_.find(handle);
    if (handle <= 0 || it == jobs_.end())
        return false;
    const Job& entry = it->second;
    const bool running = ::WaitForSingleObject(entry.process, 0) == WAIT_TIMEOUT;
    // The job still holds what the program started after the program itself has ended.
    const bool ended = entry.job != nullptr ? ::TerminateJobObject(entry.job, 0) != 0
                                            : running && ::TerminateProcess(entry.process, 0) != 0;
    if (!running || !ended)
        return false;
    ::WaitForSingleObject(entry.process, endAfterTerminateLimit);
    return true;
}

void Win32ProcessControl::release(ProcessHandle handle) {
    const auto it = jobs_.find(handle);
    if (it == jobs_.end())
        return;
    ::CloseHandle(it->second.process);
    if (it->second.job != nullptr)
        ::CloseHandle(it->second.job);
    jobs_.erase(it);
}

bool Win32ProcessControl::waitForEnd(ProcessHandle handle, unsigned long milliseconds) const {
    const auto it = jobs_.find(handle);
    return it != jobs_.end() && ::WaitForSingleObject(it->second.process, milliseconds) == WAIT_OBJECT_0;
}

} // namespace quorbin
