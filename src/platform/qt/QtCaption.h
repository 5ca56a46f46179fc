#pragma once

#include "platform/Caption.h"

#include <QLabel>

namespace quorbin {

// A label's text.
class QtCaption final : public Caption {
public:
    explicit QtCaption(QLabel& label) : label_(label) {}

    std::string caption() const override;
    void setCaption(const std::string& text) override;

private:
    QLabel& label_;
};

} // namespace quorbin
