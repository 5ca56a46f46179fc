#pragma once

#include <string>

namespace quorbin {

// A modal message box with a single OK button; returns when the user dismissed it.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual void show(const std::string& text, const std::string& title) = 0;
};

} // namespace quorbin
