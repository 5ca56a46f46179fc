#pragma once

#include "platform/Keyboard.h"

namespace quorbin {

// The keyboard of a build without a way to inject input: accepts nothing, says nothing.
class NullKeyboard final : public Keyboard {
public:
    unsigned sendInput(std::span<const InputRecord>, int) override { return 0; }
};

} // namespace quorbin
