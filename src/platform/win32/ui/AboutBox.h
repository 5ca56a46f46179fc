#pragma once

#include "platform/win32/ui/WindowsApi.h"

namespace quorbin {

// Help > About Quorbin: a modal box with the program's version and its licence.
void showAboutBox(HWND owner);

} // namespace quorbin
