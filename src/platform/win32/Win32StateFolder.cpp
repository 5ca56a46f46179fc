#include "platform/win32/Win32StateFolder.h"

#include "platform/win32/SystemMessage.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WindowsHeader.h"

#include <knownfolders.h>
#include <shlobj.h>

namespace quorbin {

namespace {

std::wstring localAppData() {
    wchar_t buffer[MAX_PATH];
    const DWORD length = ::GetEnvironmentVariableW(L"LOCALAPPDATA", buffer, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        return std::wstring(buffer, length);
    PWSTR known = nullptr;
    std::wstring folder;
    if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &known)))
        folder = known;
    ::CoTaskMemFree(known);
    return folder;
}

} // namespace

Result<std::wstring> stateFolder() {
    const std::wstring base = localAppData();
    if (base.empty())
        return Failure{"The user's local application data folder is not known."};
    const std::wstring folder = base + L"\\Quorbin";
    if (!::CreateDirectoryW(folder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
        return Failure{"Cannot make the folder \"" + narrow(folder) +
                       "\": " + systemMessage(::GetLastError())};
    return folder;
}

} // namespace quorbin
