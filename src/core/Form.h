#pragma once

#include "core/BatchState.h"
#include "core/DayClock.h"
#include "platform/Controls.h"
#include "platform/Services.h"

#include <string>

namespace quorbin {

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
