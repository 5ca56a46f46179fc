#include "platform/qt/QtButton.h"

#include "platform/qt/QtText.h"

namespace quorbin {

QtButton::QtButton(QPushButton& button) : button_(button) {
    QObject::connect(&button_, &QPushButton::clicked, &button_, [this] {
        if (handler_)
            handler_();
    });
}

std::string QtButton::caption() const {
    return toUtf8(button_.text());
}

void QtButton::setCaption(const std::string& text) {
    button_.setText(toQString(text));
}

} // namespace quorbin
