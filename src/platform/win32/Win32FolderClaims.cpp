#include "platform/win32/Win32FolderClaims.h"

#include "platform/RecordFileNames.h"
#include "platform/win32/SystemMessage.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32StateFolder.h"

namespace quorbin {

namespace {

Result<UniqueHandle> openLock(const std::string& folder) {
    const Result<std::wstring> state = stateFolder();
    if (!state)
        return Failure{state.error()};
    const std::wstring path = *state + L"\\" + widen(recordFileName(folder, ".lock"));
    UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return Failure{"Cannot open \"" + narrow(path) + "\": " + systemMessage(::GetLastError())};
    return file;
}

// The first byte locked, or refused at once when another handle holds it.
bool lockAtOnce(HANDLE file) {
    OVERLAPPED at{};
    return ::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at) != 0;
}

} // namespace

Win32FolderClaims::~Win32FolderClaims() {
    for (const auto& [folder, handle] : held_)
        ::CloseHandle(handle);
}

Result<void> Win32FolderClaims::claim(const std::string& folder) {
    if (held_.count(folder))
        return Ok{};
    Result<UniqueHandle> lock = openLock(folder);
    if (!lock)
        return Failure{lock.error()};
    if (!lockAtOnce(lock->get()))
        return Failure{::GetLastError() == ERROR_LOCK_VIOLATION
                           ? std::string("another running Quorbin holds the folder")
                           : "the folder cannot be claimed: " + systemMessage(::GetLastError())};
    held_.emplace(folder, lock.value().release());
    return Ok{};
}

void Win32FolderClaims::release(const std::string& folder) {
    if (const auto found = held_.find(folder); found != held_.end()) {
        ::CloseHandle(found->second);
        held_.erase(found);
    }
}

bool Win32FolderClaims::claimedElsewhere(const std::string& folder) const {
    if (held_.count(folder))
        return false;
    const Result<UniqueHandle> lock = openLock(folder);
    if (!lock)
        return false;
    if (lockAtOnce(lock->get())) {
        OVERLAPPED at{};
        ::UnlockFileEx(lock->get(), 0, 1, 0, &at);
        return false;
    }
    return ::GetLastError() == ERROR_LOCK_VIOLATION;
}

} // namespace quorbin
