#include "platform/x11/SystemKeyboard.h"

#include "platform/NullKeyboard.h"
#if QUORBIN_X11_KEYBOARD
#include "platform/x11/X11Keyboard.h"
#endif

namespace quorbin {

std::unique_ptr<Keyboard> makeSystemKeyboard() {
#if QUORBIN_X11_KEYBOARD
    return std::make_unique<X11Keyboard>();
#else
    return std::make_unique<NullKeyboard>();
#endif
}

} // namespace quorbin
