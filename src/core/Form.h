#pragma once

#include "core/BatchState.h"
#include "core/DayClock.h"
#include "core/Wakefulness.h"
#include "platform/Controls.h"
#include "platform/Services.h"

#include <string>
#include <utility>
#include <vector>

namespace quorbin {

// What a front end may change in how the batch runs; the window keeps every default.
// The runner without a window has nobody to read a box or press a button, and on a
// cluster node several runners share one folder.
struct FormOptions {
    // Where the job script is written, ending in a separator; empty: the working folder.
    // The command line names the script where it is.
    std::string scriptFolder;
    // The log file and the file of the program's messages; empty: their own names in the
    // working folder.
    std::string logFile;
    std::string programLogFile;
    // A launch that started nothing ends its file as a job that ended, once the settle
    // time has passed, and the batch goes on. The window waits instead, with the reason
    // in a box, for the user to put the program right.
    bool endJobsNotStarted = false;
};

// What every routine of the main window works on: the batch state, the controls and
// the services. One instance, owned by MainForm.
struct Form {
    Form(Controls c, Services s, FormOptions o = {})
        : controls(c), services(s), options(std::move(o)), dayClock(s.clock), awake(s.keepAwake) {}

    BatchState state;
    Controls controls;
    Services services;
    const FormOptions options;
    DayClock dayClock;
    Wakefulness awake;

    // How many of our modal boxes and dialogs are open now. Their modal loops go on
    // dispatching timer ticks, which must take no decision meanwhile: the batch would
    // move on under a box that is about the step it is in.
    int modalDepth = 0;

    void showMessage(const std::string& text);
    // A box with Yes and No; true for Yes.
    bool ask(const std::string& text);
    [[nodiscard]] Result<std::vector<std::string>> openFileDialog(const OpenFileRequest& request);
};

} // namespace quorbin
