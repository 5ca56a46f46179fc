#pragma once

#include "platform/KeepAwake.h"

#include <memory>

namespace quorbin {

// The keep-awake backend that start-up hands to the window: D-Bus where the build has
// QtDBus, the null one otherwise. Connects to nothing yet, so it never delays the window.
// The Windows build brings its own makeSystemKeepAwake (a power request) in
// platform/win32 and leaves this folder out.
std::unique_ptr<KeepAwake> makeSystemKeepAwake();

} // namespace quorbin
