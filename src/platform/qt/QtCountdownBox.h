#pragma once

#include "platform/CountdownBox.h"

#include <QMessageBox>
#include <QPointer>

#include <functional>

namespace quorbin {

// The countdown as a message box over the main window that is not modal, with a Cancel
// button; its close box cancels as well. It is made on the first show, so start-up never
// pays for it, and only hidden by close, so that no handler runs then.
class QtCountdownBox final : public CountdownBox {
public:
    explicit QtCountdownBox(QWidget* parent) : parent_(parent) {}
    ~QtCountdownBox() override;
    QtCountdownBox(const QtCountdownBox&) = delete;
    QtCountdownBox& operator=(const QtCountdownBox&) = delete;

    void show(const std::string& text) override;
    void close() override;
    void onCancel(std::function<void()> handler) override { handler_ = std::move(handler); }

    // The box while it is made, for the tests; null before the first show.
    QMessageBox* box() const { return box_; }

private:
    void make();
    void cancelled();

    QWidget* parent_;
    QPointer<QMessageBox> box_;
    std::function<void()> handler_;
};

} // namespace quorbin
