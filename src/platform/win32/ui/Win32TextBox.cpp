#include "platform/win32/ui/Win32TextBox.h"

#include "platform/win32/WideText.h"
#include "platform/win32/ui/WindowText.h"

#include <string_view>

namespace quorbin {

namespace {

// A text whose lines all end in LF alone (a file written on Linux) keeps LF when the
// user edits it; any other text, and one without line ends, gets CR LF.
std::string lineEndOf(const std::string& text) {
    const bool lineFeeds = text.find('\n') != std::string::npos;
    const bool returns = text.find('\r') != std::string::npos;
    return lineFeeds && !returns ? "\n" : "\r\n";
}

// Every line end (CR LF, CR alone, LF alone) replaced by lineEnd.
template <typename Char>
std::basic_string<Char> withLineEnds(std::basic_string_view<Char> text,
                                     std::basic_string_view<Char> lineEnd) {
    std::basic_string<Char> result;
    result.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Char c = text[i];
        if (c == Char('\r') || c == Char('\n')) {
            result.append(lineEnd);
            if (c == Char('\r') && i + 1 < text.size() && text[i + 1] == Char('\n'))
                ++i;
        } else {
            result.push_back(c);
        }
    }
    return result;
}

} // namespace

Win32TextBox::Win32TextBox(Win32MainWindow& window, Control control)
    : edit_(window.control(control)), multiLine_((GetWindowLongW(edit_, GWL_STYLE) & ES_MULTILINE) != 0),
      codeText_(narrow(windowText(edit_))), lineEnd_(lineEndOf(codeText_)) {
    window.onCommand(control, [this](WORD code) {
        if (code == EN_CHANGE && !settingFromCode_)
            changed();
    });
}

std::string Win32TextBox::text() const {
    if (!multiLine_)
        return narrow(windowText(edit_));
    if (!editedByUser_)
        return codeText_;
    return withLineEnds<char>(narrow(windowText(edit_)), lineEnd_);
}

void Win32TextBox::setText(const std::string& text) {
    if (text == this->text())
        return;
    std::wstring shown = widen(text);
    if (multiLine_) {
        codeText_ = text;
        lineEnd_ = lineEndOf(text);
        editedByUser_ = false;
        shown = withLineEnds<wchar_t>(shown, L"\r\n");
    }
    settingFromCode_ = true;
    SetWindowTextW(edit_, shown.c_str());
    settingFromCode_ = false;
    if (handler_)
        handler_();
}

void Win32TextBox::changed() {
    editedByUser_ = true;
    if (handler_)
        handler_();
}

} // namespace quorbin
