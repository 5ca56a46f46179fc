#pragma once

#include <functional>
#include <string>

namespace quorbin {

// A box that is not modal: a text that the core updates while it counts down, and a
// Cancel button. The window and its timer go on while it is open.
//
// The core relies on this: show opens the box (or, when it is open, replaces its text),
// close closes it and runs nothing; the cancel handler runs when the user presses
// Cancel or closes the box, after which the box is closed.
class CountdownBox {
public:
    virtual ~CountdownBox() = default;
    virtual void show(const std::string& text) = 0;
    virtual void close() = 0;
    virtual void onCancel(std::function<void()> handler) = 0;
};

} // namespace quorbin
