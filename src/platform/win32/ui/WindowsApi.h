#pragma once

// <windows.h> for the front end. It defines MessageBox as a macro for MessageBoxW, which
// would rename the core's MessageBox interface wherever it is named after this header;
// the front end calls MessageBoxW by its own name.
#include <windows.h>

#undef MessageBox
