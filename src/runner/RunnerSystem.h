#pragma once

#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/KeepAwake.h"
#include "platform/ProcessControl.h"
#include "platform/SettingsStore.h"
#include "platform/TextCodec.h"
#include "runner/RunPlan.h"

#include <ostream>
#include <string>
#include <vector>

namespace quorbin {

// The system under quorbin-run, as each system's program wires it: the backends the
// window uses too, and what only the runner asks of the system.
struct RunnerSystem {
    ProcessControl& processes;
    const Clock& clock;
    FileSystem& files;
    // The user's stored settings, the window's; read, never written.
    const SettingsStore& settings;
    KeepAwake& keepAwake;
    const TextCodec& text;
    FullPath fullPath;
    // This program's own full path, which a cluster's tasks run.
    std::string self;
    // A name no other run of this user has now, for the cluster's job.
    std::string uniqueName;
    // The folders where programs are looked for (PATH), in their order.
    std::vector<std::string> programFolders;
    std::ostream& out;
    std::ostream& err;
};

} // namespace quorbin
