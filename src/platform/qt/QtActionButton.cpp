#include "platform/qt/QtActionButton.h"

#include "platform/qt/QtText.h"

namespace quorbin {

QtActionButton::QtActionButton(QAction& action) : action_(action) {
    QObject::connect(&action_, &QAction::triggered, &action_, [this] {
        if (handler_)
            handler_();
    });
}

std::string QtActionButton::caption() const {
    return toUtf8(action_.text());
}

void QtActionButton::setCaption(const std::string& text) {
    action_.setText(toQString(text));
}

} // namespace quorbin
