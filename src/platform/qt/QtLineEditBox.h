#pragma once

#include "platform/TextBox.h"

#include <QLineEdit>

namespace quorbin {

// A one-line text box. QLineEdit reports every change, the user's and the code's,
// synchronously through textChanged; setting the same text again reports nothing here.
class QtLineEditBox final : public TextBox {
public:
    explicit QtLineEditBox(QLineEdit& edit);

    std::string text() const override;
    void setText(const std::string& text) override;
    void onChange(std::function<void()> handler) override { handler_ = std::move(handler); }
    void setWarning(const std::string& note) override;

private:
    QLineEdit& edit_;
    std::function<void()> handler_;
};

} // namespace quorbin
