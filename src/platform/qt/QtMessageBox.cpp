#include "platform/qt/QtMessageBox.h"

#include "platform/qt/QtText.h"

#include <QMessageBox>

namespace quorbin {

void QtMessageBox::show(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::NoIcon, toQString(title), toQString(text), QMessageBox::Ok, parent_);
    // Messages are file paths and system errors: never rich text.
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

bool QtMessageBox::ask(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::Question, toQString(title), toQString(text),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    box.setWindowModality(Qt::ApplicationModal);
    return box.exec() == QMessageBox::Yes;
}

} // namespace quorbin
