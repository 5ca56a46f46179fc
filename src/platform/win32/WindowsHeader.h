#pragma once

// <windows.h> for the backends' sources, never for headers the core or the front end
// see. It defines MessageBox as a macro for MessageBoxW, which would rename the core's
// MessageBox interface wherever it is named after this header.
#include <windows.h>

#undef MessageBox
