#pragma once

#include <functional>
#include <string>

namespace quorbin {

// An editable text box. Texts are UTF-8; line ends are carried as the box holds them.
//
// The core relies on this: setting the text from code to a different text runs the
// change handler at once, before setText returns; setting the same text runs nothing.
// Every change by the user (typing, pasting, deleting) runs it too.
class TextBox {
public:
    virtual ~TextBox() = default;
    virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;
    virtual void onChange(std::function<void()> handler) = 0;
    // Shows the box with a warning look and the note as its tooltip; an empty note takes
    // the warning away. The text and the change handler are not touched.
    virtual void setWarning(const std::string& note) = 0;
};

} // namespace quorbin
