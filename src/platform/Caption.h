#pragma once

#include <functional>
#include <string>

namespace quorbin {

// A label or a button caption.
class Caption {
public:
    virtual ~Caption() = default;
    virtual std::string caption() const = 0;
    virtual void setCaption(const std::string& text) = 0;
};

// A push button: a caption and a click handler.
class Button : public Caption {
public:
    virtual void onClick(std::function<void()> handler) = 0;
};

} // namespace quorbin
