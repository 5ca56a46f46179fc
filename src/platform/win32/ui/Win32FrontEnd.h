#pragma once

#include "platform/Controls.h"
#include "platform/win32/ui/Win32Button.h"
#include "platform/win32/ui/Win32CountdownBox.h"
#include "platform/win32/ui/Win32FileDialog.h"
#include "platform/win32/ui/Win32ListBox.h"
#include "platform/win32/ui/Win32LogView.h"
#include "platform/win32/ui/Win32MainWindow.h"
#include "platform/win32/ui/Win32Menu.h"
#include "platform/win32/ui/Win32MessageBox.h"
#include "platform/win32/ui/Win32Notifier.h"
#include "platform/win32/ui/Win32PowerActions.h"
#include "platform/win32/ui/Win32TaskbarProgress.h"
#include "platform/win32/ui/Win32TextBox.h"
#include "platform/win32/ui/Win32Window.h"

namespace quorbin {

// The whole Win32 side of the window, built in one place: the main window, an adapter
// for each of its controls and menu commands, the message box, the file dialog, and the
// desktop services that go through the window (its notification icon, its taskbar
// button, the countdown box over it, and the power actions that answer on its thread). The program, the tests
// and the benchmarks build the window through it and hand the core controls(). The
// common controls must be initialised first (InitCommonControlsEx), and COM on this
// thread for the dialog and the controls' names.
class Win32FrontEnd {
public:
    explicit Win32FrontEnd(HINSTANCE instance);
    Win32FrontEnd(const Win32FrontEnd&) = delete;
    Win32FrontEnd& operator=(const Win32FrontEnd&) = delete;

    Win32MainWindow& window() { return window_; }
    Controls controls();

    Win32MessageBox& messageBox() { return messageBox_; }
    Win32FileDialog& fileDialog() { return fileDialog_; }
    Win32CountdownBox& countdown() { return countdown_; }
    Win32Notifier& notifier() { return notifier_; }
    Win32TaskbarProgress& taskbar() { return taskbar_; }
    Win32PowerActions& power() { return power_; }

    // The periodic timer timerTimer, from now to the end of the program.
    void startTimer(std::function<void()> tick) { window_.startTimerTimer(std::move(tick)); }

private:
    Win32MainWindow window_;
    Win32Window windowGeometry_;
    Win32Button buttonSelectAvi_;
    Win32Button buttonSelectExe_;
    Win32ListBox listFiles_;
    Win32Button buttonSelectVcf_;
    Win32TextBox boxCmdLine_;
    Win32TextBox boxScript_;
    Win32TextBox boxTemplate_;
    Win32TextBox boxVcf_;
    Win32TextBox boxExe_;
    Win32Button buttonStart_;
    Win32Button buttonLoadAvs_;
    Win32Button buttonAbort_;
    Win32LogView listLog_;
    Win32Button buttonPause_;
    Win32TextBox BoxTimeout_;
    Win32Label labelTime_;
    Win32Button buttonSaveAvs_;
    Win32Button buttonStop_;
    Win32MessageBox messageBox_;
    Win32FileDialog fileDialog_;
    Win32MenuChoice menuWhenDone_;
    Win32MenuButton menuOpenLog_;
    Win32CountdownBox countdown_;
    Win32Notifier notifier_;
    Win32TaskbarProgress taskbar_;
    Win32PowerActions power_;
};

} // namespace quorbin
