#pragma once

#include "platform/win32/ui/WindowsApi.h"

#include <string>

namespace quorbin {

// The whole text of a window or control.
std::wstring windowText(HWND window);

} // namespace quorbin
