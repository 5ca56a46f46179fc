#pragma once

#include "platform/Caption.h"
#include "platform/Choice.h"
#include "platform/ListBox.h"
#include "platform/LogView.h"
#include "platform/NullDesktop.h"
#include "platform/TextBox.h"
#include "platform/Window.h"

namespace quorbin {

// The window's controls as the core sees them. A front end builds one of these over
// its own widgets and hands it to the core.
struct Controls {
    Window& window;
    Button& buttonSelectAvi;
    Button& buttonSelectExe;
    ListBox& listFiles;
    Button& buttonSelectVcf;
    TextBox& boxCmdLine;
    TextBox& boxScript;
    TextBox& boxTemplate;
    TextBox& boxVcf;
    TextBox& boxExe;
    Button& buttonStart;
    Button& buttonLoadAvs;
    Button& buttonAbort;
    LogView& listLog;
    Button& buttonPause;
    TextBox& BoxTimeout;
    Caption& labelTime;
    Button& buttonSaveAvs;
    Button& buttonStop;
    // The menu bar above the client area: Batch > When the batch is done (radio items,
    // numbered as WhenDoneItem), Batch > Open the log file. A front end without a menu
    // leaves the stand-ins.
    Choice& menuWhenDone = NullDesktop::choice();
    Button& menuOpenLog = NullDesktop::button();
};

} // namespace quorbin
