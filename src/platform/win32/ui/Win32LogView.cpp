#include "platform/win32/ui/Win32LogView.h"

#include "platform/win32/WideText.h"

#include <algorithm>
#include <cstring>

namespace quorbin {

namespace {
constexpr int textMargin = 2; // at 96 DPI, on either side of a line
} // namespace

Win32LogView::Win32LogView(Win32MainWindow& window)
    : window_(window), list_(window.control(Control::listLog)) {
    window_.onDrawItem(Control::listLog, [this](const DRAWITEMSTRUCT& item) { draw(item); });
    // Subclassed through the window's own procedure pointer: under Wine, SetWindowSubclass
    // finds its data through a window property, a round trip to the window server for
    // every message the list gets.
    SetWindowLongPtrW(list_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    listDefault_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listProc)));
}

Win32LogView::~Win32LogView() {
    SetWindowLongPtrW(list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listDefault_));
    SetWindowLongPtrW(list_, GWLP_USERDATA, 0);
    window_.onDrawItem(Control::listLog, {});
}

void Win32LogView::appendSelected(const std::string& line) {
    lines_.append(line);
    if (line.size() > measuredBytes_) {
        measuredBytes_ = line.size();
        widestRow_ = lines_.count() - 1;
        widthPending_ = true;
    }
    if (!showing_) {
        showing_ = true;
        window_.post([this] { showNewest(); });
    }
}

// The new count, the newest row selected (which scrolls it into view) and, when a line
// longer than any before came, the reach of the horizontal scroll bar.
void Win32LogView::showNewest() {
    showing_ = false;
    const auto rows = static_cast<WPARAM>(lines_.count());
    SendMessageW(list_, LB_SETCOUNT, rows, 0);
    SendMessageW(list_, LB_SETCURSEL, rows - 1, 0);
    if (!widthPending_)
        return;
    widthPending_ = false;
    const std::wstring text = widen(lines_.line(widestRow_));
    HDC dc = GetDC(list_);
    HGDIOBJ before = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list_, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, before);
    ReleaseDC(list_, dc);
    const int width =
        size.cx + MulDiv(2 * textMargin, static_cast<int>(window_.dpi()), USER_DEFAULT_SCREEN_DPI);
    if (width > contentWidth_) {
        contentWidth_ = width;
        SendMessageW(list_, LB_SETHORIZONTALEXTENT, contentWidth_, 0);
    }
}

void Win32LogView::draw(const DRAWITEMSTRUCT& item) const {
    HDC dc = item.hDC;
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= lines_.count()) {
        if (item.itemState & ODS_FOCUS)
            DrawFocusRect(dc, &item.rcItem);
        return;
    }
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT text = item.rcItem;
    text.left += MulDiv(textMargin, static_cast<int>(window_.dpi()), USER_DEFAULT_SCREEN_DPI);
    const std::wstring line = widen(lines_.line(item.itemID));
    DrawTextW(dc, line.c_str(), static_cast<int>(line.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(dc, &item.rcItem);
}

// The line goes to the clipboard as the user sees it, to be pasted into a report.
bool Win32LogView::copySelected() {
    if (showing_)
        showNewest();
    const auto row = static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0));
    if (row < 0 || row >= count())
        return false;
    const std::wstring text = widen(lines_.line(static_cast<std::size_t>(row)));
    if (!OpenClipboard(window_.handle()))
        return false;
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool copied = false;
    if (memory) {
        std::memcpy(GlobalLock(memory), text.c_str(), bytes);
        GlobalUnlock(memory);
        copied = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        if (!copied)
            GlobalFree(memory);
    }
    CloseClipboard();
    return copied;
}

LRESULT CALLBACK Win32LogView::listProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& self = *reinterpret_cast<Win32LogView*>(GetWindowLongPtrW(list, GWLP_USERDATA));
    if (message == WM_KEYDOWN && wParam == 'C' && GetKeyState(VK_CONTROL) < 0) {
        self.copySelected();
        return 0;
    }
    // The thumb's position in WM_VSCROLL has 16 bits; a log passes 65,535 lines in a few
    // days, so a drag takes the 32-bit position.
    if (message == WM_VSCROLL && (LOWORD(wParam) == SB_THUMBTRACK || LOWORD(wParam) == SB_THUMBPOSITION)) {
        SCROLLINFO bar{};
        bar.cbSize = sizeof(bar);
        bar.fMask = SIF_TRACKPOS;
        if (GetScrollInfo(list, SB_VERT, &bar)) {
            SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(bar.nTrackPos), 0);
            return 0;
        }
    }
    return CallWindowProcW(self.listDefault_, list, message, wParam, lParam);
}

} // namespace quorbin
