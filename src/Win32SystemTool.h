#pragma once

#include "app/MainForm.h"
#include "platform/Services.h"
#include "platform/win32/Win32BatchRecords.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32FileOpener.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32FolderClaims.h"
#include "platform/win32/Win32KeepAwake.h"
#include "platform/win32/Win32Keyboard.h"
#include "platform/win32/Win32ProcessControl.h"
#include "platform/win32/Win32SettingsStore.h"
#include "platform/win32/Win32TextCodec.h"
#include "platform/win32/ui/Win32FrontEnd.h"

namespace quorbin {

// The tool as it runs on Windows: its window and the Win32 backends behind it. The
// program's wWinMain runs it, and the start-up benchmark runs the very same.
class Win32SystemTool {
public:
    explicit Win32SystemTool(HINSTANCE instance);

    Win32MainWindow& window() { return front_.window(); }
    // Reads the settings and the template, shows the window and starts its timer.
    void start(int showCommand);

private:
    Services services();

    Win32FrontEnd front_;
    Win32ProcessControl processes_;
    Win32Clock clock_;
    Win32FileSystem files_;
    Win32SettingsStore settings_;
    Win32Keyboard keyboard_;
    Win32KeepAwake keepAwake_;
    Win32TextCodec text_;
    Win32BatchRecords records_;
    Win32FolderClaims claims_;
    Win32FileOpener opener_;
    MainForm form_;
};

} // namespace quorbin
