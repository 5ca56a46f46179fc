#pragma once

#include "platform/Keyboard.h"

namespace quorbin {

// The offscreen platform has no keyboard stream to send the Shift pulse to; the pulse
// is due once a minute of the measured time, so it weighs nothing on a tick.
class SilentKeyboard final : public Keyboard {
public:
    unsigned sendInput(std::span<const InputRecord>, int) override { return 0; }
};

} // namespace quorbin
