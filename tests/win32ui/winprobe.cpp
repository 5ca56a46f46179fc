// Drives the real window from outside, as a user would, for the window test:
//
//   winprobe click WINDOW BUTTON   presses the button captioned BUTTON in the visible
//                                  top-level window captioned WINDOW
//   winprobe answer WINDOW         waits for a visible message box captioned WINDOW,
//                                  prints its text and presses its OK button
//   winprobe pick WINDOW NAMES     waits for a visible open-file dialog captioned WINDOW,
//                                  enters NAMES as its file name and presses Open
//   winprobe close WINDOW          asks the visible window captioned WINDOW to close
//
// Captions are matched exactly. Waits end after 20 seconds with exit code 2.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr DWORD patienceMilliseconds = 20000;
constexpr int messageTextId = 0xFFFF;  // the text of a message box
constexpr int fileNameComboId = 0x47C; // the file name of the explorer-style dialog
constexpr int fileNameEditId = 0x480;  // the file name of the older dialog

struct Search {
    const wchar_t* caption;
    const wchar_t* className; // nullptr: any
    HWND found = nullptr;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<Search*>(data);
    wchar_t text[256] = {};
    wchar_t type[64] = {};
    GetWindowTextW(window, text, 256);
    GetClassNameW(window, type, 64);
    if (IsWindowVisible(window) && lstrcmpW(text, search.caption) == 0 &&
        (!search.className || lstrcmpW(type, search.className) == 0)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

// Waits for the window to be there; it comes from another process, in its own time.
HWND waitForWindow(const wchar_t* caption, const wchar_t* className) {
    const ULONGLONG deadline = GetTickCount64() + patienceMilliseconds;
    do {
        Search search{caption, className};
        EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        Sleep(20);
    } while (GetTickCount64() < deadline);
    return nullptr;
}

HWND childButton(HWND window, const wchar_t* caption) {
    Search search{caption, L"Button"};
    EnumChildWindows(window, matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void printUtf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), size, nullptr, nullptr);
    std::printf("%s\n", bytes.c_str());
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(
            stderr,
            "usage: winprobe click WINDOW BUTTON | answer WINDOW | pick WINDOW NAMES | close WINDOW\n");
        return 1;
    }
    const std::wstring command = argv[1];
    if (command == L"click" && argc == 4) {
        HWND window = waitForWindow(argv[2], nullptr);
        HWND button = window ? childButton(window, argv[3]) : nullptr;
        return button && PostMessageW(button, BM_CLICK, 0, 0) ? 0 : 2;
    }
    if (command == L"answer") {
        HWND box = waitForWindow(argv[2], L"#32770");
        if (!box)
            return 2;
        wchar_t text[1024] = {};
        GetDlgItemTextW(box, messageTextId, text, 1024);
        printUtf8(text);
        return PostMessageW(box, WM_COMMAND, IDOK, 0) ? 0 : 2;
    }
    if (command == L"pick" && argc == 4) {
        HWND dialog = waitForWindow(argv[2], L"#32770");
        if (!dialog || !(SetDlgItemTextW(dialog, fileNameComboId, argv[3]) ||
                         SetDlgItemTextW(dialog, fileNameEditId, argv[3])))
            return 2;
        return PostMessageW(dialog, WM_COMMAND, IDOK, 0) ? 0 : 2;
    }
    if (command == L"close") {
        HWND window = waitForWindow(argv[2], nullptr);
        return window && PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 2;
    }
    std::fprintf(stderr, "winprobe: unknown command\n");
    return 1;
}
