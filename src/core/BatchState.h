#pragma once

#include "core/BatchMode.h"
#include "platform/Keyboard.h"
#include "platform/ProcessControl.h"

#include <cstdint>
#include <string>

namespace quorbin {

// The main window's variables: one instance, alive as long as the window, all zero or
// empty at creation, never saved as a whole.
struct BatchState {
    InputRecord inputRecord;
    std::int32_t lastPulse = 0;
    std::string exePath;
    std::string vcfPath;
    std::string avsPath;
    std::string aviPath; // the working folder, ending in a separator once chosen
    std::string outputPath;
    ProcessHandle hProcess = 0;
    std::int32_t elapsed = 0;
    std::int32_t modeStart = 0;
    BatchMode mode = modeIdle;
    std::string currentFile;
    std::int16_t fileIndex = 0;
    std::int32_t lastGrowth = 0;
    // Output files pass 2 GiB routinely, so sizes are 64-bit.
    std::int64_t lastSize = 0;
    bool paused = false;
};

} // namespace quorbin
