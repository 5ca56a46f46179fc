#pragma once

#include "platform/ListBox.h"
#include "platform/win32/ui/WindowsApi.h"

namespace quorbin {

// Draws the badge of a file list entry into a square box: each mark a shape of its own,
// so that none is told by its colour alone (running a triangle, finished a tick, failed
// a cross, stalled an hourglass, not started a barred circle, interrupted a square, the
// output of another entry a "P"). Lines are as thick as the DPI makes two pixels at 96.
// Plain draws every mark in the window text's colour, for a high-contrast scheme.
void drawEntryMark(HDC dc, const RECT& box, EntryMark mark, UINT dpi, bool plain);

} // namespace quorbin
