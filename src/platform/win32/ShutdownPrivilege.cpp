#include "platform/win32/ShutdownPrivilege.h"

#include "platform/win32/SystemMessage.h"
#include "platform/win32/UniqueHandle.h"

namespace quorbin {

Result<void> enableShutdownPrivilege() {
    HANDLE opened = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &opened))
        return Failure{systemMessage(GetLastError())};
    const UniqueHandle token(opened);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid))
        return Failure{systemMessage(GetLastError())};
    // Success may still mean "not all assigned": the account lacks the right.
    if (!AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr) ||
        GetLastError() != ERROR_SUCCESS)
        return Failure{systemMessage(GetLastError())};
    return Ok{};
}

} // namespace quorbin
