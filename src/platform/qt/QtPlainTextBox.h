#pragma once

#include "platform/TextBox.h"

#include <QPlainTextEdit>

namespace quorbin {

// A multi-line text box. QPlainTextEdit keeps paragraphs, not line ends: whatever a text
// had (CR LF, LF, CR), it gives it back with LF. Templates must pass through byte for
// byte, so the box answers with the text last set from code for as long as the user has
// not edited it; once edited, with the document's text and the line ends of the text set
// last: LF where it had only LF, otherwise CR LF, the convention of multi-line boxes on
// the platform the tool comes from.
class QtPlainTextBox final : public TextBox {
public:
    explicit QtPlainTextBox(QPlainTextEdit& edit);

    std::string text() const override;
    void setText(const std::string& text) override;
    void onChange(std::function<void()> handler) override { handler_ = std::move(handler); }
    void setWarning(const std::string& note) override;

private:
    void userEdited();
    std::string documentText() const;

    QPlainTextEdit& edit_;
    std::function<void()> handler_;
    std::string codeText_;
    std::string lineEnd_;
    bool editedByUser_ = false;
    bool settingFromCode_ = false;
};

} // namespace quorbin
