#include "platform/win32/ui/Win32CountdownBox.h"

#include "platform/win32/WideText.h"
#include "platform/win32/ui/WindowClass.h"

namespace quorbin {

namespace {

constexpr wchar_t boxClass[] = L"QuorbinCountdownBox";
constexpr DWORD boxStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
// The client area and its parts, in pixels at 96 DPI.
constexpr int width = 360;
constexpr int height = 112;
constexpr int margin = 12;
constexpr int buttonWidth = 88;
constexpr int buttonHeight = 26;

HWND child(HWND box, const wchar_t* type, DWORD style, const wchar_t* text, RECT place, int id) {
    return CreateWindowExW(0, type, text, WS_CHILD | WS_VISIBLE | style, place.left, place.top,
                           place.right - place.left, place.bottom - place.top, box,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

} // namespace

void Win32CountdownBox::show(const std::string& text) {
    if (!box_)
        create();
    if (text_)
        SetWindowTextW(text_, widen(text).c_str());
}

void Win32CountdownBox::close() {
    if (box_)
        DestroyWindow(box_);
}

void Win32CountdownBox::create() {
    registerWindowClass(GetModuleHandleW(nullptr), boxClass, boxProc);
    // Windows hides the windows a minimised window owns, and the box is there to be seen:
    // the main window comes back first.
    if (IsIconic(owner_.handle()))
        ShowWindow(owner_.handle(), SW_RESTORE);
    const int dpi = static_cast<int>(owner_.dpi());
    const auto px = [dpi](int pixels) { return MulDiv(pixels, dpi, USER_DEFAULT_SCREEN_DPI); };
    RECT outer{0, 0, px(width), px(height)};
    AdjustWindowRectExForDpi(&outer, boxStyle, FALSE, 0, static_cast<UINT>(dpi));
    RECT over{};
    GetWindowRect(owner_.handle(), &over);
    const int w = outer.right - outer.left;
    const int h = outer.bottom - outer.top;
    box_ = CreateWindowExW(WS_EX_DLGMODALFRAME, boxClass, L"When the batch is done", boxStyle,
                           (over.left + over.right - w) / 2, (over.top + over.bottom - h) / 2, w, h,
                           owner_.handle(), nullptr, GetModuleHandleW(nullptr), this);
    if (!box_)
        return;
    const RECT textPlace{px(margin), px(margin), px(width - margin), px(height - margin * 2 - buttonHeight)};
    const RECT buttonPlace{px(width - margin - buttonWidth), px(height - margin - buttonHeight),
                           px(width - margin), px(height - margin)};
    text_ = child(box_, WC_STATICW, SS_LEFT | SS_NOPREFIX, L"", textPlace, 0);
    HWND cancel = child(box_, WC_BUTTONW, WS_TABSTOP | BS_DEFPUSHBUTTON, L"Cancel", buttonPlace, IDCANCEL);
    // The window's own font: the one its buttons have.
    const auto font = SendMessageW(owner_.control(Control::buttonStart), WM_GETFONT, 0, 0);
    for (HWND part : {text_, cancel})
        SendMessageW(part, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
    owner_.setModelessBox(box_);
    ShowWindow(box_, SW_SHOWNORMAL);
    SetFocus(cancel);
}

void Win32CountdownBox::cancelled() {
    close();
    if (handler_)
        handler_();
}

void Win32CountdownBox::destroyed() {
    owner_.setModelessBox(nullptr);
    box_ = nullptr;
    text_ = nullptr;
}

LRESULT CALLBACK Win32CountdownBox::boxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = windowOwner<Win32CountdownBox>(box, message, lParam);
    if (self) {
        switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) // the button, Escape, or Enter on the button
                self->cancelled();
            return 0;
        case WM_CLOSE:
            self->cancelled();
            return 0;
        case WM_DESTROY:
            self->destroyed();
            break;
        default:
            break;
        }
    }
    return DefWindowProcW(box, message, wParam, lParam);
}

} // namespace quorbin
