#pragma once

#include "core/BatchState.h"
#include "core/DayClock.h"
#include "core/Wakefulness.h"
#include "platform/Controls.h"
#include "platform/Services.h"

#include <string>
#include <vector>

namespace quorbin {

// What every routine of the main window works on: the batch state, the controls and
// the services. One instance, owned by MainForm.
struct Form {
    Form(Controls c, Services s) : controls(c), services(s), dayClock(s.clock), awake(s.keepAwake) {}

    BatchState state;
    Controls controls;
    Services services;
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
