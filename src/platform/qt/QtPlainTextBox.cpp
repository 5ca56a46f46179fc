#include "platform/qt/QtPlainTextBox.h"

#include "platform/LineEnds.h"
#include "platform/qt/QtText.h"
#include "platform/qt/WarningLook.h"

#include <QTextDocument>

namespace quorbin {

QtPlainTextBox::QtPlainTextBox(QPlainTextEdit& edit)
    : edit_(edit), codeText_(toUtf8(edit.toPlainText())), lineEnd_(lineEndOf(codeText_)) {
    // contentsChange, unlike textChanged, is not raised for changes of layout or format
    // only when nothing was inserted or removed.
    QObject::connect(edit_.document(), &QTextDocument::contentsChange, &edit_,
                     [this](int, int removed, int added) {
                         if (!settingFromCode_ && (removed != 0 || added != 0))
                             userEdited();
                     });
}

std::string QtPlainTextBox::text() const {
    return editedByUser_ ? documentText() : codeText_;
}

void QtPlainTextBox::setText(const std::string& text) {
    if (text == this->text())
        return;
    codeText_ = text;
    lineEnd_ = lineEndOf(text);
    editedByUser_ = false;
    settingFromCode_ = true;
    edit_.setPlainText(toQString(text));
    settingFromCode_ = false;
    // One change, one call, however many signals the document raised meanwhile.
    if (handler_)
        handler_();
}

void QtPlainTextBox::userEdited() {
    editedByUser_ = true;
    if (handler_)
        handler_();
}

std::string QtPlainTextBox::documentText() const {
    // The raw text keeps non-breaking spaces, which toPlainText would turn into blanks.
    // The document holds no CR or LF: a paragraph ends in U+2029, and a line break typed
    // with Shift+Enter is U+2028.
    QString raw = edit_.document()->toRawText();
    raw.replace(QChar::ParagraphSeparator, u'\n');
    raw.replace(QChar::LineSeparator, u'\n');
    return withLineEnds(toUtf8(raw), lineEnd_);
}

void QtPlainTextBox::setWarning(const std::string& note) {
    showWarning(edit_, toQString(note));
}

} // namespace quorbin
