#pragma once

#include "BenchMessageBox.h"
#include "ScriptedFileDialog.h"
#include "SilentKeyboard.h"
#include "WorkFolder.h"

#include "app/MainForm.h"
#include "platform/dbus/NullKeepAwake.h"
#include "platform/posix/PosixClock.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixProcessControl.h"
#include "platform/posix/PosixTextCodec.h"
#include "platform/qt/QtFrontEnd.h"

#include <memory>
#include <string>
#include <vector>

namespace quorbin {

// The tool's own window over the real core and the real process, file and clock
// backends, started as the program starts it (settings read, template loaded, shown),
// with a scripted file dialog and no modal messages. Its timer is not started: the
// benchmarks call the tick themselves.
class RealWindow {
public:
    // The folder's settings are written first; the processing program is exe.
    RealWindow(const WorkFolder& folder, const std::string& exe);
    ~RealWindow();
    RealWindow(const RealWindow&) = delete;
    RealWindow& operator=(const RealWindow&) = delete;

    QtFrontEnd& front() { return front_; }
    QtMainWindow& window() { return front_.window(); }
    MainForm& form() { return *form_; }
    Services services();
    const BenchMessageBox& messages() const { return messages_; }

    // As the user picks these names in the batch's working folder with "Select AVI".
    void pickFiles(const std::vector<std::string>& names);
    // Lines already in the log, added as fast as the model takes them; the newest is
    // then selected as every logged line is.
    void prefillLog(int lines);
    void pressStart();
    // Lets the window catch up: layout, painting.
    static void settle();

private:
    const WorkFolder& folder_;
    QtFrontEnd front_;
    PosixProcessControl processes_;
    PosixClock clock_;
    PosixFileSystem files_;
    BenchMessageBox messages_;
    ScriptedFileDialog dialog_;
    SilentKeyboard keyboard_;
    NullKeepAwake keepAwake_;
    PosixTextCodec text_;
    std::unique_ptr<MainForm> form_;
};

} // namespace quorbin
