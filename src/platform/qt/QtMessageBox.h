#pragma once

#include "platform/MessageBox.h"

class QWidget;

namespace quorbin {

// A modal QMessageBox with one OK button, over the given window.
class QtMessageBox final : public MessageBox {
public:
    explicit QtMessageBox(QWidget* parent = nullptr) : parent_(parent) {}

    void show(const std::string& text, const std::string& title) override;
    bool ask(const std::string& text, const std::string& title) override;

private:
    QWidget* parent_;
};

} // namespace quorbin
