#include "platform/win32/ui/HoverTip.h"

namespace quorbin {

namespace {

constexpr int maxWidthAt96Dpi = 480;    // the details of an entry break at their line ends
constexpr int showMilliseconds = 30000; // long enough to read a failed job's messages

} // namespace

HoverTip::~HoverTip() {
    if (tip_ && IsWindow(tip_))
        DestroyWindow(tip_);
}

TTTOOLINFOW HoverTip::tool(const std::wstring& text) const {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | (mouse_ == Mouse::subclassed ? TTF_SUBCLASS : 0);
    tool.hwnd = GetParent(control_);
    tool.uId = reinterpret_cast<UINT_PTR>(control_);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    return tool;
}

void HoverTip::create() {
    tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                           0, 0, 0, 0, GetAncestor(control_, GA_ROOT), nullptr, nullptr, nullptr);
    if (!tip_)
        return;
    TTTOOLINFOW added = tool(text_);
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&added));
    SendMessageW(
        tip_, TTM_SETMAXTIPWIDTH, 0,
        MulDiv(maxWidthAt96Dpi, static_cast<int>(GetDpiForWindow(control_)), USER_DEFAULT_SCREEN_DPI));
    SendMessageW(tip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, showMilliseconds);
}

void HoverTip::setText(const std::wstring& text) {
    if (text == text_)
        return;
    text_ = text;
    if (!tip_) {
        if (!text_.empty())
            create();
        return;
    }
    SendMessageW(tip_, TTM_POP, 0, 0);
    TTTOOLINFOW changed = tool(text_);
    SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&changed));
}

void HoverTip::relay(UINT message, WPARAM wParam, LPARAM lParam) const {
    if (!tip_)
        return;
    MSG relayed{control_, message, wParam, lParam, 0, {}};
    SendMessageW(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

} // namespace quorbin
