#pragma once

#include <string>

namespace quorbin {

// Modal message boxes: show has a single OK button and returns when the user dismissed
// it; ask has Yes and No and returns true for Yes (closing the box is No).
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual void show(const std::string& text, const std::string& title) = 0;
    virtual bool ask(const std::string& text, const std::string& title) = 0;
};

} // namespace quorbin
