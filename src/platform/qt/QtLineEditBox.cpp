#include "platform/qt/QtLineEditBox.h"

#include "platform/qt/QtText.h"
#include "platform/qt/WarningLook.h"

namespace quorbin {

QtLineEditBox::QtLineEditBox(QLineEdit& edit) : edit_(edit) {
    QObject::connect(&edit_, &QLineEdit::textChanged, &edit_, [this] {
        if (handler_)
            handler_();
    });
}

std::string QtLineEditBox::text() const {
    return toUtf8(edit_.text());
}

void QtLineEditBox::setText(const std::string& text) {
    const QString next = toQString(text);
    if (next == edit_.text())
        return;
    edit_.setText(next);
}

void QtLineEditBox::setWarning(const std::string& note) {
    showWarning(edit_, toQString(note));
}

} // namespace quorbin
