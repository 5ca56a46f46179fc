#pragma once

#include "platform/win32/ui/WindowsApi.h"

#include <array>

namespace quorbin {

// What the tool's window costs at the least on Windows: a plain top-level window with
// stock controls of the same kinds at the same places (at 15 twips a pixel), one stock
// font, and a 500 ms timer that shows the elapsed time; no core, no settings, no
// adapters, no virtual log. The yardstick for the start-up of the Windows build.
class BareWin32Window {
public:
    explicit BareWin32Window(HINSTANCE instance);
    ~BareWin32Window();
    BareWin32Window(const BareWin32Window&) = delete;
    BareWin32Window& operator=(const BareWin32Window&) = delete;

    HWND handle() const { return window_; }
    void show(int showCommand);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    HWND label_ = nullptr;
    ULONGLONG started_ = 0;
};

} // namespace quorbin
