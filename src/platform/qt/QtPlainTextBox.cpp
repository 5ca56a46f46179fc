#include "platform/qt/QtPlainTextBox.h"

#include "platform/qt/QtText.h"

#include <QTextDocument>

namespace quorbin {

namespace {

// A text whose lines all end in LF alone (a file written on Linux) keeps LF when the
// user edits it; any other text, and one without line ends, gets CR LF.
std::string lineEndOf(const std::string& text) {
    const bool lineFeeds = text.find('\n') != std::string::npos;
    const bool returns = text.find('\r') != std::string::npos;
    return lineFeeds && !returns ? "\n" : "\r\n";
}

} // namespace

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
    QString raw = edit_.document()->toRawText();
    const QString lineEnd = toQString(lineEnd_);
    raw.replace(QChar::ParagraphSeparator, lineEnd);
    raw.replace(QChar::LineSeparator, lineEnd);
    return toUtf8(raw);
}

} // namespace quorbin
