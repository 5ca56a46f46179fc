#include "platform/win32/ui/Win32Notifier.h"

#include "platform/win32/WideText.h"

#include <algorithm>
#include <cstdio>

namespace quorbin {

namespace {

constexpr UINT iconId = 1;

// The text cut to the field, with its terminating zero.
template <std::size_t size> void copyInto(wchar_t (&field)[size], const std::string& text) {
    const std::wstring wide = widen(text);
    const std::size_t length = std::min(wide.size(), size - 1);
    std::copy_n(wide.begin(), length, field);
    field[length] = L'\0';
}

} // namespace

Win32Notifier::Win32Notifier(Win32MainWindow& window) : window_(window), callback_(window.newMessage()) {
    window_.onMessage(callback_, [this](WPARAM /*id*/, LPARAM event) {
        answered(LOWORD(event));
        return std::optional<LRESULT>(0);
    });
    window_.onMessage(WM_DESTROY, [this](WPARAM, LPARAM) {
        remove();
        return std::optional<LRESULT>();
    });
}

NOTIFYICONDATAW Win32Notifier::iconData() const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window_.handle();
    data.uID = iconId;
    return data;
}

void Win32Notifier::notify(const std::string& title, const std::string& text) {
    NOTIFYICONDATAW data = iconData();
    data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP | NIF_SHOWTIP | NIF_INFO;
    data.uCallbackMessage = callback_;
    data.hIcon = window_.smallIcon();
    data.hBalloonIcon = window_.bigIcon();
    data.dwInfoFlags = NIIF_USER | NIIF_LARGE_ICON;
    copyInto(data.szTip, title);
    copyInto(data.szInfoTitle, title);
    copyInto(data.szInfo, text);
    // The icon may have gone with the shell since (it restarted): it is added again.
    if ((shown_ && Shell_NotifyIconW(NIM_MODIFY, &data)) || Shell_NotifyIconW(NIM_ADD, &data)) {
        shown_ = true;
        // The events of the balloon itself (NIN_BALLOONTIMEOUT, NIN_BALLOONUSERCLICK).
        data.uVersion = NOTIFYICON_VERSION_4;
        Shell_NotifyIconW(NIM_SETVERSION, &data);
        return;
    }
    std::fprintf(stderr, "Quorbin: no notification \"%s\": the notification area took no icon.\n",
                 title.c_str());
}

void Win32Notifier::answered(UINT event) {
    switch (event) {
    case NIN_BALLOONUSERCLICK:
    case NIN_SELECT:
    case NIN_KEYSELECT: {
        HWND window = window_.handle();
        if (IsIconic(window))
            ShowWindow(window, SW_RESTORE);
        SetForegroundWindow(window);
        remove();
        break;
    }
    case NIN_BALLOONTIMEOUT:
        remove();
        break;
    default:
        break;
    }
}

void Win32Notifier::remove() {
    if (!shown_)
        return;
    NOTIFYICONDATAW data = iconData();
    Shell_NotifyIconW(NIM_DELETE, &data);
    shown_ = false;
}

} // namespace quorbin
