#include "platform/qt/AboutBox.h"

#include <QMessageBox>

namespace quorbin {

void showAboutBox(QWidget& window) {
    auto* box = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("About Quorbin"),
                                QStringLiteral("Quorbin " QUORBIN_VERSION "\n\n"
                                               "Runs a command-line video processing program over a batch "
                                               "of files, one file at a time, unattended.\n\n"
                                               "Quorbin is free software under the MIT licence."),
                                QMessageBox::Ok, &window);
    box->setObjectName(QStringLiteral("aboutBox"));
    box->setTextFormat(Qt::PlainText);
    box->setIconPixmap(window.windowIcon().pixmap(64));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace quorbin
