#include "platform/qt/QtCountdownBox.h"

#include "platform/qt/QtText.h"

#include <QMessageBox>

namespace quorbin {

QtCountdownBox::~QtCountdownBox() {
    delete box_.data();
}

void QtCountdownBox::make() {
    box_ = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("Quorbin"), QString(), QMessageBox::Cancel,
                           parent_);
    box_->setObjectName(QStringLiteral("countdownBox"));
    box_->setTextFormat(Qt::PlainText);
    box_->setWindowModality(Qt::NonModal);
    // Cancel, Escape and the close box all finish the box with the Cancel button.
    QObject::connect(box_, &QMessageBox::finished, box_, [this] { cancelled(); });
}

void QtCountdownBox::show(const std::string& text) {
    if (!box_)
        make();
    box_->setText(toQString(text));
    if (!box_->isVisible())
        box_->show();
}

// Hidden, not finished: only the user's Cancel runs the handler.
void QtCountdownBox::close() {
    if (box_)
        box_->hide();
}

void QtCountdownBox::cancelled() {
    if (handler_)
        handler_();
}

} // namespace quorbin
