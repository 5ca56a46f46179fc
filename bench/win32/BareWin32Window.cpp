#include "BareWin32Window.h"

#include <commctrl.h>

#include <cwchar>

namespace quorbin {

namespace {

struct Placed {
    const wchar_t* className;
    DWORD style;
    const wchar_t* text;
    int left, top, width, height;
};

constexpr DWORD button = WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD box = WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL;
constexpr DWORD list = WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL;

constexpr std::array<Placed, 18> controls{{
    {WC_BUTTONW, button, L"Select AVI", 150, 2250, 1425, 345},
    {WC_BUTTONW, button, L"Select EXE", 150, 120, 1425, 345},
    {WC_LISTVIEWW, list, L"", 1740, 2250, 6105, 1635},
    {WC_BUTTONW, button, L"Select VCF", 150, 600, 1425, 345},
    {WC_EDITW, box, L"", 1740, 5370, 6105, 585},
    {WC_EDITW, box, L"", 1740, 4230, 6105, 975},
    {WC_EDITW, box, L"", 1740, 1080, 6075, 1005},
    {WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL, L"", 1740, 600, 6105, 315},
    {WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL, L"", 1740, 120, 6105, 315},
    {WC_BUTTONW, button, L"Start", 150, 6150, 1425, 345},
    {WC_BUTTONW, button, L"Load AVS", 150, 1080, 1425, 345},
    {WC_BUTTONW, button, L"Abort", 150, 7320, 1425, 345},
    {WC_LISTVIEWW, list, L"", 1740, 6150, 6105, 2400},
    {WC_BUTTONW, button, L"Pause", 150, 6540, 1425, 345},
    {WC_EDITW, WS_TABSTOP | ES_CENTER, L"60", 300, 7950, 1155, 375},
    {WC_STATICW, SS_CENTER, L"00:00:00", 120, 5490, 1455, 345},
    {WC_BUTTONW, button, L"Save AVS", 150, 1500, 1425, 345},
    {WC_BUTTONW, button, L"Stop", 150, 6930, 1425, 345},
}};

constexpr int labelIndex = 15;
constexpr wchar_t className[] = L"QuorbinBareWindow";

} // namespace

BareWin32Window::BareWin32Window(HINSTANCE instance) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof(type);
    type.lpfnWndProc = windowProc;
    type.hInstance = instance;
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszClassName = className;
    RegisterClassExW(&type);
    RECT outer{0, 0, 8145 / 15, 8880 / 15};
    AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, 0);
    window_ = CreateWindowExW(0, className, L"Bare", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                              CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top, nullptr,
                              nullptr, instance, this);
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const Placed& c = controls[i];
        HWND control =
            CreateWindowExW(0, c.className, c.text, WS_CHILD | WS_VISIBLE | c.style, c.left / 15, c.top / 15,
                            c.width / 15, c.height / 15, window_, nullptr, instance, nullptr);
        SendMessageW(control, WM_SETFONT, font, FALSE);
        if (lstrcmpW(c.className, WC_LISTVIEWW) == 0) {
            LVCOLUMNW column{};
            column.mask = LVCF_WIDTH;
            column.cx = c.width / 15;
            ListView_InsertColumn(control, 0, &column);
        }
        if (i == labelIndex)
            label_ = control;
    }
}

BareWin32Window::~BareWin32Window() {
    if (window_)
        DestroyWindow(window_);
}

void BareWin32Window::show(int showCommand) {
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    started_ = GetTickCount64();
    SetTimer(window_, 1, 500, nullptr);
}

LRESULT CALLBACK BareWin32Window::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<BareWin32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_TIMER && self && self->label_) {
        const ULONGLONG seconds = (GetTickCount64() - self->started_) / 1000;
        wchar_t text[16];
        std::swprintf(text, 16, L"%02llu:%02llu:%02llu", seconds / 3600, seconds / 60 % 60, seconds % 60);
        SetWindowTextW(self->label_, text);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace quorbin
