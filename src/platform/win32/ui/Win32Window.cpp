#include "platform/win32/ui/Win32Window.h"

namespace quorbin {

namespace {

Control controlOf(SizedControl control) {
    switch (control) {
    case SizedControl::boxExe:
        return Control::boxExe;
    case SizedControl::boxCmdLine:
        return Control::boxCmdLine;
    case SizedControl::boxScript:
        return Control::boxScript;
    case SizedControl::boxTemplate:
        return Control::boxTemplate;
    case SizedControl::boxVcf:
        return Control::boxVcf;
    case SizedControl::listFiles:
        return Control::listFiles;
    case SizedControl::listLog:
        return Control::listLog;
    }
    return Control::boxExe;
}

} // namespace

Win32Window::Win32Window(Win32MainWindow& window) : window_(window) {}

int Win32Window::outerWidth() const {
    RECT outer{};
    HWND handle = window_.handle();
    if (IsIconic(handle)) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        GetWindowPlacement(handle, &placement);
        outer = placement.rcNormalPosition;
    } else {
        GetWindowRect(handle, &outer);
    }
    return window_.toTwips(outer.right - outer.left);
}

int Win32Window::innerWidth() const {
    HWND handle = window_.handle();
    if (IsIconic(handle))
        return 0;
    RECT client{};
    GetClientRect(handle, &client);
    return window_.toTwips(client.right - client.left);
}

void Win32Window::setOuterWidth(int twips) {
    HWND handle = window_.handle();
    RECT outer{};
    GetWindowRect(handle, &outer);
    SetWindowPos(handle, nullptr, 0, 0, window_.toPixels(twips), outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::moveTo(int left, int top) {
    SetWindowPos(window_.handle(), nullptr, window_.toPixels(left), window_.toPixels(top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::setControlWidth(SizedControl control, int twips) {
    window_.setControlWidth(controlOf(control), window_.toPixels(twips));
}

int Win32Window::minimumOuterWidth() const {
    return window_.toTwips(GetSystemMetricsForDpi(SM_CXMINTRACK, window_.dpi()));
}

int Win32Window::screenWidth() const {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromWindow(window_.handle(), MONITOR_DEFAULTTONEAREST), &monitor))
        return 0;
    return window_.toTwips(monitor.rcWork.right - monitor.rcWork.left);
}

void Win32Window::onResize(std::function<void()> handler) {
    window_.onSizeChange(std::move(handler));
}

void Win32Window::onClose(std::function<void()> handler) {
    window_.onClosed(std::move(handler));
}

// Posted, as the close box's click is: the caller's handler returns first, then the
// window closes and runs its close handler, and the message loop ends.
void Win32Window::close() {
    PostMessageW(window_.handle(), WM_CLOSE, 0, 0);
}

} // namespace quorbin
