#pragma once

#include "app/MainForm.h"
#include "platform/KeepAwake.h"
#include "platform/Keyboard.h"
#include "platform/dbus/SystemDesktop.h"
#include "platform/posix/PosixBatchRecords.h"
#include "platform/posix/PosixClock.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixFolderClaims.h"
#include "platform/posix/PosixProcessControl.h"
#include "platform/posix/PosixTextCodec.h"
#include "platform/qt/QtFrontEnd.h"

#include <memory>

namespace quorbin {

// The tool as it runs on this system: its window and the real backends behind it, wired
// as the program starts them. The program's main runs it, and the start-up benchmark
// runs the very same, so what it measures is what users start.
class SystemTool {
public:
    // The names the settings store and the dialogs go by; before the first window.
    static void nameApplication();

    SystemTool();

    QtMainWindow& window() { return front_.window(); }
    // Reads the settings and the template, shows the window and starts its timer; then
    // offers an interrupted batch back.
    void start();

private:
    Services services();

    QtFrontEnd front_;
    PosixProcessControl processes_;
    PosixClock clock_;
    PosixFileSystem files_;
    PosixTextCodec text_;
    PosixBatchRecords records_;
    PosixFolderClaims claims_;
    std::unique_ptr<Keyboard> keyboard_;
    std::unique_ptr<KeepAwake> keepAwake_;
    SystemDesktop desktop_;
    MainForm form_;
};

} // namespace quorbin
