// The start-up row of the Windows build, taken from outside the measured program:
//
//   bench_win32_probe EXE RUNS
//       Starts "EXE --real" and "EXE --bare" in turn, RUNS times each after one warm-up
//       of each, and prints the row: the medians of process start (just before
//       CreateProcess) to the first paint that the program reports, on the same
//       performance counter.
#include "FigureRow.h"
#include "FirstPaintWait.h"

#include "platform/win32/ui/WindowsApi.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace quorbin;

constexpr DWORD patienceMilliseconds = 30000;

// Milliseconds from the start of "exe variant" to the first paint it reports.
double firstPaintMs(const std::wstring& exe, const wchar_t* variant) {
    SECURITY_ATTRIBUTES inherited{sizeof(inherited), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherited, 0))
        throw std::runtime_error("no pipe");
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    std::wstring commandLine = L"\"" + exe + L"\" " + variant;
    PROCESS_INFORMATION process{};
    const long long started = counterNs();
    const BOOL created = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    CloseHandle(writeEnd);
    if (!created) {
        CloseHandle(readEnd);
        throw std::runtime_error("cannot start the measured program");
    }
    std::string output;
    char chunk[256];
    DWORD got = 0;
    while (output.find('\n') == std::string::npos && ReadFile(readEnd, chunk, sizeof(chunk), &got, nullptr) &&
           got)
        output.append(chunk, got);
    CloseHandle(readEnd);
    if (WaitForSingleObject(process.hProcess, patienceMilliseconds) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (output.rfind("painted ", 0) != 0)
        throw std::runtime_error("the measured program reported no first paint");
    return static_cast<double>(std::stoll(output.substr(8)) - started) / 1e6;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_win32_probe EXE RUNS\n");
        return 2;
    }
    const std::wstring exe = argv[1];
    const int runs = std::max(1, _wtoi(argv[2]));
    const std::string goal = "\xe2\x89\xa4 1.2\xc3\x97";
    try {
        firstPaintMs(exe, L"--real");
        firstPaintMs(exe, L"--bare");
        std::vector<double> real;
        std::vector<double> bare;
        for (int i = 0; i < runs; ++i) {
            // Each variant goes first in half of the runs.
            if (i % 2 == 0) {
                real.push_back(firstPaintMs(exe, L"--real"));
                bare.push_back(firstPaintMs(exe, L"--bare"));
            } else {
                bare.push_back(firstPaintMs(exe, L"--bare"));
                real.push_back(firstPaintMs(exe, L"--real"));
            }
        }
        const double ratio = median(real) / median(bare);
        char measured[128];
        std::snprintf(measured, sizeof(measured), "%s (%.1f ms vs %.1f ms, medians of %d)",
                      ratioText(ratio).c_str(), median(real), median(bare), runs);
        printRow("start-up, Windows", measured, goal, ratio <= 1.2);
    } catch (const std::exception& failure) {
        printRow("start-up, Windows", std::string("not measured (") + failure.what() + ")", goal, false);
        return 1;
    }
    return 0;
}
