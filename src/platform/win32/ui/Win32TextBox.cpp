#include "platform/win32/ui/Win32TextBox.h"

#include "platform/LineEnds.h"
#include "platform/win32/WideText.h"
#include "platform/win32/ui/WindowText.h"

namespace quorbin {

Win32TextBox::Win32TextBox(Win32MainWindow& window, Control control)
    : edit_(window.control(control)), multiLine_((GetWindowLongW(edit_, GWL_STYLE) & ES_MULTILINE) != 0),
      codeText_(narrow(windowText(edit_))), lineEnd_(lineEndOf(codeText_)),
      tip_(edit_, HoverTip::Mouse::subclassed) {
    window.onCommand(control, [this](WORD code) {
        if (code == EN_CHANGE && !settingFromCode_)
            changed();
    });
    window.onMessage(WM_CTLCOLOREDIT, [this](WPARAM dc, LPARAM edit) {
        return colours(reinterpret_cast<HDC>(dc), reinterpret_cast<HWND>(edit));
    });
}

std::string Win32TextBox::text() const {
    if (!multiLine_)
        return narrow(windowText(edit_));
    if (!editedByUser_)
        return codeText_;
    return withLineEnds(narrow(windowText(edit_)), lineEnd_);
}

void Win32TextBox::setText(const std::string& text) {
    if (text == this->text())
        return;
    std::wstring shown;
    if (multiLine_) {
        codeText_ = text;
        lineEnd_ = lineEndOf(text);
        editedByUser_ = false;
        shown = widen(withLineEnds(text, "\r\n"));
    } else {
        shown = widen(text);
    }
    settingFromCode_ = true;
    SetWindowTextW(edit_, shown.c_str());
    settingFromCode_ = false;
    if (handler_)
        handler_();
}

void Win32TextBox::setWarning(const std::string& note) {
    if (note.empty() && !warned_)
        return; // none before and none now: the start-up makes no tooltip
    warned_ = !note.empty();
    tip_.setText(widen(note));
    InvalidateRect(edit_, nullptr, TRUE);
}

// Dark text on a pale amber, whatever the colour scheme, so the tint reads in any.
std::optional<LRESULT> Win32TextBox::colours(HDC dc, HWND control) const {
    if (control != edit_ || !warned_)
        return std::nullopt;
    constexpr COLORREF tint = RGB(255, 232, 160);
    static HBRUSH const brush = CreateSolidBrush(tint); // one for the program's life
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, tint);
    return reinterpret_cast<LRESULT>(brush);
}

void Win32TextBox::changed() {
    editedByUser_ = true;
    if (handler_)
        handler_();
}

} // namespace quorbin
