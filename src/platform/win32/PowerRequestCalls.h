#pragma once

#include "platform/win32/WindowsHeader.h"

namespace quorbin {

// The system's power-request calls, as Win32KeepAwake makes them; tests hand it
// recorders instead (under Wine the real calls do nothing).
struct PowerRequestCalls {
    HANDLE(WINAPI* create)(REASON_CONTEXT* reason);
    BOOL(WINAPI* set)(HANDLE request, POWER_REQUEST_TYPE type);
    BOOL(WINAPI* clear)(HANDLE request, POWER_REQUEST_TYPE type);
    BOOL(WINAPI* close)(HANDLE request);
};

const PowerRequestCalls& systemPowerRequestCalls();

} // namespace quorbin
