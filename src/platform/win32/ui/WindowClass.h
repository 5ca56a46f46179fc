#pragma once

#include "platform/win32/ui/WindowsApi.h"

namespace quorbin {

// Registers a window class of the program's own windows (a dialog's face colour, the
// arrow cursor) once; later calls find it registered.
void registerWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure);

// The object a window of such a class belongs to: handed to CreateWindowExW as the
// creation parameter, and kept in the window's GWLP_USERDATA from WM_NCCREATE on.
// nullptr for the messages before WM_NCCREATE.
template <class Owner> Owner* windowOwner(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    return reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

} // namespace quorbin
