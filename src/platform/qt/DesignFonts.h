#pragma once

#include <QFont>

namespace quorbin {

// The two fonts the window was designed with, or the nearest the machine has: the
// designed families are rarely installed outside the platform they come from.

// "MS Sans Serif" 12 pt bold, else the platform's sans-serif bold at 12 pt.
QFont boldCaptionFont();

// "Courier New" 9 pt, else the platform's fixed-pitch font at 9 pt.
QFont scriptFont();

} // namespace quorbin
