#pragma once

#include "platform/Notifier.h"
#include "platform/PowerActions.h"
#include "platform/TaskbarProgress.h"

#include <memory>
#include <string>

namespace quorbin {

// The desktop's services that start-up hands to the core: through D-Bus where the build
// has QtDBus, the stand-ins that show nothing otherwise. Connects to nothing yet, so they
// never delay the window.
struct SystemDesktop {
    std::unique_ptr<Notifier> notifier;
    std::unique_ptr<TaskbarProgress> taskbar;
    std::unique_ptr<PowerActions> power;
};

// desktopEntry: the name of the tool's desktop entry, without ".desktop".
SystemDesktop makeSystemDesktop(const std::string& desktopEntry);

} // namespace quorbin
