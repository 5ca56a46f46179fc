#pragma once

#include "platform/Clock.h"
#include "platform/CountdownBox.h"
#include "platform/FileDialog.h"
#include "platform/FileSystem.h"
#include "platform/KeepAwake.h"
#include "platform/Keyboard.h"
#include "platform/MessageBox.h"
#include "platform/NullDesktop.h"
#include "platform/NullRecords.h"
#include "platform/ProcessControl.h"
#include "platform/SettingsStore.h"
#include "platform/TextCodec.h"

namespace quorbin {

// Everything outside the window that the core talks to.
struct Services {
    ProcessControl& processes;
    const Clock& clock;
    FileSystem& files;
    MessageBox& messageBox;
    SettingsStore& settings;
    FileDialog& dialog;
    Keyboard& keyboard;
    KeepAwake& keepAwake;
    const TextCodec& text;
    // The desktop around the window; a program or test without them gets stand-ins that
    // show nothing.
    Notifier& notifier = NullDesktop::notifier();
    TaskbarProgress& taskbar = NullDesktop::taskbar();
    PowerActions& power = NullDesktop::power();
    FileOpener& opener = NullDesktop::opener();
    CountdownBox& countdown = NullDesktop::countdown();
    // Where batches are recorded as they go, and which working folders are claimed.
    BatchRecords& records = NullBatchRecords::instance();
    FolderClaims& claims = NullFolderClaims::instance();
};

} // namespace quorbin
