// A stand-in for the processing program, for the tests of the Win32 process control.
// What it does is told by its first argument:
//   record            writes "arguments.txt" into its current folder: that folder on the
//                     first line, then each of its arguments after "record", one a line
//                     (UTF-8, LF), and exits with 0
//   wait EVENT CODE   waits until the named event is set, then exits with CODE
//   hold EVENT FILE   writes its process id into FILE, sets the named event, and runs
//                     until it is ended
//   spawn EVENT FILE  starts a copy of itself with "hold EVENT FILE" and runs until it is
//                     ended
//   leave EVENT FILE  the same, but exits with 0 once the copy is started
//   /c ...            the processing program's own command line
//                     (/c /s SETTINGS /p SCRIPT OUTPUT /r /x): appends its current folder
//                     and each argument, one a line, then an empty line, to "jobs.txt" in
//                     that folder (UTF-8, LF); copies SCRIPT's bytes to OUTPUT with
//                     ".script" appended; writes 3000 bytes to OUTPUT and exits with 0;
//                     where SCRIPT holds "# hold", it writes its process id into
//                     "job.pid" in that folder instead of exiting and runs until ended
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string utf8(const std::wstring& text) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr,
                                           0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr,
                          nullptr);
    return out;
}

bool writeFile(const std::wstring& path, const std::string& bytes, const wchar_t* how = L"wb") {
    FILE* file = _wfopen(path.c_str(), how);
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

std::string readFile(const std::wstring& path) {
    std::string bytes;
    if (FILE* file = _wfopen(path.c_str(), L"rb")) {
        char block[4096];
        for (std::size_t read; (read = std::fread(block, 1, sizeof block, file)) > 0;)
            bytes.append(block, read);
        std::fclose(file);
    }
    return bytes;
}

[[noreturn]] void runUntilEnded() {
    for (;;)
        ::Sleep(INFINITE);
}

std::string currentFolder() {
    wchar_t folder[32768];
    const DWORD length = ::GetCurrentDirectoryW(32768, folder);
    return utf8(std::wstring(folder, length));
}

int runJob(int argc, wchar_t** argv) {
    std::string record = currentFolder() + "\n";
    for (int i = 1; i < argc; ++i)
        record += utf8(argv[i]) + "\n";
    if (argc != 9 || !writeFile(L"jobs.txt", record + "\n", L"ab"))
        return 2;
    const std::wstring script = argv[5];
    const std::wstring output = argv[6];
    const std::string directives = readFile(script);
    const bool written =
        writeFile(output + L".script", directives) && writeFile(output, std::string(3000, 'x'));
    if (written && directives.find("# hold") != std::string::npos &&
        writeFile(L"job.pid", std::to_string(::GetCurrentProcessId())))
        runUntilEnded();
    return written ? 0 : 2;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"/c")
        return runJob(argc, argv);
    if (mode == L"record") {
        std::string text = currentFolder() + "\n";
        for (int i = 2; i < argc; ++i)
            text += utf8(argv[i]) + "\n";
        return writeFile(L"arguments.txt", text) ? 0 : 2;
    }
    if (mode == L"wait" && argc == 4) {
        HANDLE event = ::OpenEventW(SYNCHRONIZE, FALSE, argv[2]);
        if (event == nullptr || ::WaitForSingleObject(event, INFINITE) != WAIT_OBJECT_0)
            return 3;
        return static_cast<int>(std::wcstoul(argv[3], nullptr, 10));
    }
    if (mode == L"hold" && argc == 4) {
        HANDLE event = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]);
        if (event == nullptr || !writeFile(argv[3], std::to_string(::GetCurrentProcessId())) ||
            !::SetEvent(event))
            return 4;
        runUntilEnded();
    }
    if ((mode == L"spawn" || mode == L"leave") && argc == 4) {
        wchar_t self[32768];
        ::GetModuleFileNameW(nullptr, self, 32768);
        std::wstring line = L"\"" + std::wstring(self) + L"\" hold \"" + argv[2] + L"\" \"" + argv[3] + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        if (!::CreateProcessW(self, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &started))
            return 5;
        ::CloseHandle(started.hThread);
        ::CloseHandle(started.hProcess);
        if (mode == L"leave")
            return 0;
        runUntilEnded();
    }
    std::fputs("standin: unknown mode\n", stderr);
    return 1;
}
