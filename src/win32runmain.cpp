// quorbin-run.exe: the batch without a window, a console program over the Win32 backends.
// Its ticks come from a loop; Ctrl+C, Ctrl+Break and the console's closing act as Abort.
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32KeepAwake.h"
#include "platform/win32/Win32ProcessControl.h"
#include "platform/win32/Win32SettingsStore.h"
#include "platform/win32/Win32TextCodec.h"
#include "platform/win32/WindowsHeader.h"
#include "runner/ExitStatus.h"
#include "runner/Runner.h"

#include <atomic>
#include <cwchar>
#include <iostream>

namespace {

using namespace quorbin;

constexpr ULONGLONG tickMilliseconds = 500;
// The system ends the process this long after a close, a log-off or a shut-down reached
// the handler; the abort must be done by then.
constexpr DWORD closeGraceMilliseconds = 4500;

HANDLE interruption = nullptr;
HANDLE ended = nullptr;
std::atomic<int> interruptStatus{0};

BOOL WINAPI consoleControl(DWORD event) {
    interruptStatus = event == CTRL_C_EVENT ? exitInterrupted : exitTerminated;
    ::SetEvent(interruption);
    // Returning from these ends the process at once: the abort finishes first.
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        ::WaitForSingleObject(ended, closeGraceMilliseconds);
    return TRUE;
}

std::string fullPath(const std::string& path) {
    const std::wstring wide = widen(path);
    std::wstring full(32768, L'\0');
    const DWORD length =
        ::GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0 || length >= full.size())
        return path;
    full.resize(length);
    return narrow(full);
}

std::string self() {
    std::wstring path(32768, L'\0');
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    return narrow(path);
}

std::vector<std::string> programFolders() {
    std::vector<std::string> folders;
    const wchar_t* path = _wgetenv(L"PATH");
    std::string rest = path != nullptr ? narrow(path) : "";
    for (std::size_t cut = 0; cut != std::string::npos;) {
        cut = rest.find(';');
        folders.push_back(rest.substr(0, cut));
        rest = cut == std::string::npos ? std::string() : rest.substr(cut + 1);
    }
    return folders;
}

// Ticks every 500 ms until the run has ended; an interruption is handled at once.
int loop(Run& run) {
    ULONGLONG next = ::GetTickCount64() + tickMilliseconds;
    while (!run.exitStatus()) {
        const ULONGLONG now = ::GetTickCount64();
        const DWORD wait = now >= next ? 0 : static_cast<DWORD>(next - now);
        if (::WaitForSingleObject(interruption, wait) == WAIT_OBJECT_0) {
            run.interrupt(interruptStatus);
            continue;
        }
        next = next + tickMilliseconds > now ? next + tickMilliseconds : now + tickMilliseconds;
        run.tick();
    }
    return *run.exitStatus();
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    // Log lines and file names are UTF-8, which the console shows as they are.
    ::SetConsoleOutputCP(CP_UTF8);
    interruption = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    ended = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    Win32ProcessControl processes;
    Win32Clock clock;
    Win32FileSystem files;
    Win32TextCodec text;
    const Win32SettingsStore settings;
    Win32KeepAwake keepAwake;
    RunnerSystem system{processes,        clock,     files,
                        settings,         keepAwake, text,
                        fullPath,         self(),    "quorbin-run." + std::to_string(::GetCurrentProcessId()),
                        programFolders(), std::cout, std::cerr};
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(narrow(argv[i]));

    auto chosen = runFor(arguments, system);
    if (const int* status = std::get_if<int>(&chosen))
        return *status;
    Run& run = *std::get<std::unique_ptr<Run>>(chosen);
    ::SetConsoleCtrlHandler(consoleControl, TRUE);
    run.start();
    const int status = loop(run);
    ::SetEvent(ended);
    return status;
}
