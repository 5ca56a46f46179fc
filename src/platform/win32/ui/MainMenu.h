#pragma once

#include "platform/win32/ui/WindowsApi.h"

namespace quorbin {

// The commands of the main window's menu bar. The four "When the batch is done" items
// are consecutive, in the order of WhenDoneItem, as CheckMenuRadioItem needs them.
enum class MenuItem : UINT {
    doNothing = 100, // far below the controls' ids and clear of IDOK and IDCANCEL
    quitQuorbin,
    sleepMachine,
    shutDownMachine,
    openLogFile,
    about,
};
inline constexpr UINT menuItemCount = 6;

// The menu bar: Batch > When the batch is done > Do nothing, Quit Quorbin, Sleep, Shut
// down (radio items, Do nothing chosen), Batch > Open the log file, Help > About Quorbin.
struct MainMenu {
    HMENU bar = nullptr;
    HMENU whenDone = nullptr; // the submenu of the radio items
};

// Made before the window, which takes the bar and destroys it with itself.
MainMenu createMainMenu();

} // namespace quorbin
