#pragma once

#include "platform/win32/WindowsHeader.h"

namespace quorbin {

// The calls by which Win32ProcessControl keeps system dialogs away from the program, as
// it makes them; tests hand it recorders instead (under Wine a child inherits no error
// mode and a job keeps none of these limits).
struct ProcessStartCalls {
    UINT(WINAPI* setErrorMode)(UINT mode);
    BOOL(WINAPI* setJobInformation)(HANDLE job, JOBOBJECTINFOCLASS kind, LPVOID information, DWORD size);
};

const ProcessStartCalls& systemProcessStartCalls();

} // namespace quorbin
