#pragma once

#include "platform/Caption.h"

#include <QPushButton>

namespace quorbin {

// A push button: its caption and its clicked signal.
class QtButton final : public Button {
public:
    explicit QtButton(QPushButton& button);

    std::string caption() const override;
    void setCaption(const std::string& text) override;
    void onClick(std::function<void()> handler) override { handler_ = std::move(handler); }

private:
    QPushButton& button_;
    std::function<void()> handler_;
};

} // namespace quorbin
