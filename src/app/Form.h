#pragma once

#include "app/BatchState.h"
#include "batch/DayClock.h"
#include "platform/Caption.h"
#include "platform/Clock.h"
#include "platform/FileDialog.h"
#include "platform/FileSystem.h"
#include "platform/Keyboard.h"
#include "platform/ListBox.h"
#include "platform/LogView.h"
#include "platform/MessageBox.h"
#include "platform/ProcessControl.h"
#include "platform/SettingsStore.h"
#include "platform/TextBox.h"
#include "platform/Window.h"

namespace quorbin {

// The window's controls as the core sees them.
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

// Everything outside the window that the core talks to.
struct Services {
    ProcessControl& processes;
    const Clock& clock;
    FileSystem& files;
    MessageBox& messageBox;
    SettingsStore& settings;
    FileDialog& dialog;
    Keyboard& keyboard;
};

// What every routine of the main window works on: the batch state, the controls and
// the services. One instance, owned by MainForm.
struct Form {
    Form(Controls c, Services s) : controls(c), services(s), dayClock(s.clock) {}

    BatchState state;
    Controls controls;
    Services services;
    DayClock dayClock;

    void showMessage(const std::string& text) { services.messageBox.show(text, "quorbin"); }
};

} // namespace quorbin
