#include "platform/win32/ui/Win32MessageBox.h"

#include "platform/win32/WideText.h"

namespace quorbin {

void Win32MessageBox::show(const std::string& text, const std::string& title) {
    MessageBoxW(window_.handle(), widen(text).c_str(), widen(title).c_str(), MB_OK);
}

bool Win32MessageBox::ask(const std::string& text, const std::string& title) {
    return MessageBoxW(window_.handle(), widen(text).c_str(), widen(title).c_str(), MB_YESNO) == IDYES;
}

} // namespace quorbin
