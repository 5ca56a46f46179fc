#include "platform/win32/Win32FileOpener.h"

#include "platform/win32/SystemMessage.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WindowsHeader.h"

#include <shellapi.h>

namespace quorbin {

namespace {

// The path made full against the current directory; the path itself when that fails.
std::wstring fullPath(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return path;
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size)
        return path;
    full.resize(length);
    return full;
}

} // namespace

Result<void> Win32FileOpener::open(const std::string& path) {
    const std::wstring full = fullPath(widen(path));
    SHELLEXECUTEINFOW request{};
    request.cbSize = sizeof(request);
    // ShellExecuteExW rather than ShellExecuteW: its failure is a system error code
    // (ShellExecuteW answers with codes of its own, such as SE_ERR_NOASSOC).
    request.fMask = SEE_MASK_FLAG_NO_UI;
    request.lpVerb = L"open";
    request.lpFile = full.c_str();
    request.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExW(&request))
        return Ok{};
    return Failure{"\"" + narrow(full) + "\" could not be opened: " + systemMessage(GetLastError())};
}

} // namespace quorbin
