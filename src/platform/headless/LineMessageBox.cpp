#include "platform/headless/LineMessageBox.h"

namespace quorbin {

// A text of several lines (a program's reason, a path with a line break) stays one line,
// so that a reader of the stream can tell one message from the next.
void LineMessageBox::show(const std::string& text, const std::string& /*title*/) {
    std::string line = program_ + ": ";
    for (const char c : text)
        line += c == '\n' || c == '\r' ? ' ' : c;
    out_ << line << '\n' << std::flush;
}

bool LineMessageBox::ask(const std::string& text, const std::string& title) {
    show(text + " (answered No: nobody is there to answer)", title);
    return false;
}

} // namespace quorbin
