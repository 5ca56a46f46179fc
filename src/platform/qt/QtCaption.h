#pragma once

#include "platform/Caption.h"

#include <QLabel>

#include <string>

namespace quorbin {

// A label's text.
class QtCaption final : public Caption {
public:
    explicit QtCaption(QLabel& label);

    std::string caption() const override;
    void setCaption(const std::string& text) override;

private:
    QLabel& label_;
    std::string shown_;
};

} // namespace quorbin
