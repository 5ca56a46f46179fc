#include "platform/qt/QtCaption.h"

#include "platform/qt/QtText.h"

namespace quorbin {

std::string QtCaption::caption() const {
    return toUtf8(label_.text());
}

void QtCaption::setCaption(const std::string& text) {
    const QString next = toQString(text);
    // The tick sets the elapsed time twice a second; an unchanged text repaints nothing.
    if (next != label_.text())
        label_.setText(next);
}

} // namespace quorbin
