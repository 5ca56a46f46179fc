#pragma once

#include "platform/Caption.h"

#include <QAction>

namespace quorbin {

// A menu item as a push button: its text and its triggered signal.
class QtActionButton final : public Button {
public:
    explicit QtActionButton(QAction& action);

    std::string caption() const override;
    void setCaption(const std::string& text) override;
    void onClick(std::function<void()> handler) override { handler_ = std::move(handler); }

private:
    QAction& action_;
    std::function<void()> handler_;
};

} // namespace quorbin
