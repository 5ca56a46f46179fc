#pragma once

#include "platform/ListBox.h"

#include <QIcon>

namespace quorbin {

// The glyph beside a file list entry's name for each mark: a shape of its own for each
// (a screen in grey, a user who tells colours apart poorly still tells them apart),
// drawn at whatever size and pixel density the view asks for. Null for EntryMark::none.
QIcon badgeIcon(EntryMark mark);

} // namespace quorbin
