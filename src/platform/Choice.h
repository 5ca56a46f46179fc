#pragma once

#include <functional>

namespace quorbin {

// A group of radio items (a menu's): exactly one of them is chosen, by its number.
//
// The core relies on this: setChosen from code runs no handler; the handler runs when
// the user chooses an item, with its number.
class Choice {
public:
    virtual ~Choice() = default;
    virtual int chosen() const = 0;
    virtual void setChosen(int item) = 0;
    virtual void onChoose(std::function<void(int item)> handler) = 0;
};

} // namespace quorbin
