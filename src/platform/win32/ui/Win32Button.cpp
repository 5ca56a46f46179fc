#include "platform/win32/ui/Win32Button.h"

#include "platform/win32/WideText.h"
#include "platform/win32/ui/WindowText.h"

namespace quorbin {

Win32Button::Win32Button(Win32MainWindow& window, Control control) : button_(window.control(control)) {
    window.onCommand(control, [this](WORD code) {
        if (code == BN_CLICKED && handler_)
            handler_();
    });
}

std::string Win32Button::caption() const {
    return narrow(windowText(button_));
}

void Win32Button::setCaption(const std::string& text) {
    SetWindowTextW(button_, widen(text).c_str());
}

Win32Label::Win32Label(Win32MainWindow& window, Control control)
    : label_(window.control(control)), shown_(narrow(windowText(label_))) {}

void Win32Label::setCaption(const std::string& text) {
    if (text == shown_)
        return;
    shown_ = text;
    SetWindowTextW(label_, widen(text).c_str());
}

} // namespace quorbin
