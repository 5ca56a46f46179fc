#pragma once

#include "platform/win32/ui/WindowsApi.h"

#include <commctrl.h>

#include <string>

namespace quorbin {

// A tooltip over one control, with the text its owner gives it; an empty text shows no
// tip. The tooltip control is made at the first text that is not empty, so a control
// that never has one costs nothing at start-up.
//
// The tooltip learns of the mouse either from the owner, who relays the control's mouse
// messages (a control the owner already subclasses), or by subclassing the control itself.
class HoverTip {
public:
    enum class Mouse { relayedByOwner, subclassed };

    HoverTip(HWND control, Mouse mouse) : control_(control), mouse_(mouse) {}
    ~HoverTip();
    HoverTip(const HoverTip&) = delete;
    HoverTip& operator=(const HoverTip&) = delete;

    // A tip that shows another text is taken away first, so that it comes again for the
    // text it has now (the entry under the mouse has changed).
    void setText(const std::wstring& text);
    void relay(UINT message, WPARAM wParam, LPARAM lParam) const;
    HWND handle() const { return tip_; }

private:
    void create();
    TTTOOLINFOW tool(const std::wstring& text) const;

    HWND control_;
    Mouse mouse_;
    HWND tip_ = nullptr;
    std::wstring text_;
};

} // namespace quorbin
