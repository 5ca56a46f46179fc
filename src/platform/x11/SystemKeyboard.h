#pragma once

#include "platform/Keyboard.h"

#include <memory>

namespace quorbin {

// The keyboard that start-up hands to the window: the X11 one where the build has XTest,
// the null one otherwise. Opens nothing yet, so it never delays the window.
std::unique_ptr<Keyboard> makeSystemKeyboard();

} // namespace quorbin
