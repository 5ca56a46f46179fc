#include "platform/win32/Win32ProcessControl.h"

#include "platform/win32/SystemMessage.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"

#include <climits>
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

// The first character of a command line that cmd.exe would act on rather than pass on:
// an operator outside double quotes, a percent sign anywhere (variables are expanded
// between quotes too), a line end, or a quote left open. 0 when there is none.
wchar_t cmdOperatorIn(std::wstring_view line) {
    bool quoted = false;
    for (const wchar_t c : line) {
        const bool always = c == L'%' || c == L'\r' || c == L'\n';
        const bool unquoted = !quoted && std::wstring_view(L"&|<>^").find(c) != std::wstring_view::npos;
        if (always || unquoted)
            return c;
        if (c == L'"')
            quoted = !quoted;
    }
    return quoted ? L'"' : L'\0';
}

std::string describe(wchar_t c) {
    switch (c) {
    case L'\r':
    case L'\n':
        return "a line end";
    case L'"':
        return "an unpaired double quote";
    default:
        return "\"" + narrow(std::wstring_view(&c, 1)) + "\"";
    }
}

std::wstring commandProcessor() {
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return L"cmd.exe";
    return std::wstring(folder, length) + L"\\cmd.exe";
}

} // namespace

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
    if (lastHandle_ == INT32_MAX)
        return Failure{
            startFailure(request.file, "this window has started as many programs as it can count.")};

    // The program is named on its own and again, quoted, as the command line's first
    // word; the parameters follow exactly as they stand (they begin with a blank).
    const std::wstring program = widen(request.file);
    std::wstring application = program;
    std::wstring commandLine = L"\"" + program + L"\"" + widen(request.parameters);
    if (isBatchFile(program)) {
        if (const wchar_t c = cmdOperatorIn(commandLine))
            return Failure{
                "The program " + request.file +
                " is a batch file, which runs through cmd.exe, and cmd.exe would read " + describe(c) +
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
    if (!::CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                          CREATE_SUSPENDED | CREATE_UNICODE_ENVIRONMENT, nullptr,
                          directory.empty() ? nullptr : directory.c_str(), &startup, &started))
        return Failure{startFailure(request.file, systemMessage(::GetLastError()))};
    UniqueHandle process(started.hProcess);
    UniqueHandle thread(started.hThread);

    // A job of its own lets terminate end the program with everything it started. Where
    // the system refuses (the tool itself runs in a job that takes no nested ones), the
    // program runs without, and terminate ends the program alone.
    UniqueHandle job(::CreateJobObjectW(nullptr, nullptr));
    if (job.valid() && !::AssignProcessToJobObject(job.get(), process.get()))
        job.reset();
    if (::ResumeThread(thread.get()) == static_cast<DWORD>(-1)) {
        const std::string reason = systemMessage(::GetLastError());
        ::TerminateProcess(process.get(), 1);
        return Failure{startFailure(request.file, reason)};
    }

    const ProcessHandle handle = ++lastHandle_;
    jobs_[handle] = Job{process.release(), job.release()};
    return handle;
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
    // An ended program is not the job any more: what it left running is left alone.
    if (::WaitForSingleObject(entry.process, 0) != WAIT_TIMEOUT)
        return false;
    const BOOL ended =
        entry.job != nullptr ? ::TerminateJobObject(entry.job, 0) : ::TerminateProcess(entry.process, 0);
    if (!ended)
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
