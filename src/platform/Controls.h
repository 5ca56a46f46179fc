#pragma once

#include "platform/Caption.h"
#include "platform/ListBox.h"
#include "platform/LogView.h"
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
};

} // namespace quorbin
