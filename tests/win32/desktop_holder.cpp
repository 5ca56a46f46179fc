// Holds Wine's desktop open through a whole test run: tools/windows starts it before the
// tests and waits for its line "ready", and stopping the run's wineserver ends it.
// Without a program of its own on the desktop, Wine closes the desktop a second after
// each test program that used it exits, and the next test starts the desktop process
// again; that process inherits the test's output, so ctest waits the second out with it:
// about 1.2 s more for every test that uses windows.
#include <windows.h>

#include <cstdio>

int wmain() {
    // Never shown: the window only makes this program a user of the desktop.
    if (CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr),
                        nullptr) == nullptr)
        return 1;
    // The desktop is open once the window is there.
    std::puts("ready");
    std::fflush(stdout);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}
