#include "platform/qt/QtCaption.h"

#include "platform/qt/QtText.h"

namespace quorbin {

QtCaption::QtCaption(QLabel& label) : label_(label), shown_(toUtf8(label.text())) {}

std::string QtCaption::caption() const {
    return toUtf8(label_.text());
}

// The tick sets the elapsed time twice a second, and in mode 0 always to the same empty
// text: an unchanged text is recognised in the core's own UTF-8, without a conversion,
// and repaints nothing. The adapter is the label's only writer once it exists.
void QtCaption::setCaption(const std::string& text) {
    if (text == shown_)
        return;
    shown_ = text;
    label_.setText(toQString(text));
}

} // namespace quorbin
