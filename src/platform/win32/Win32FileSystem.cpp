#include "platform/win32/Win32FileSystem.h"

#include "platform/win32/SystemMessage.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"

#include <aclapi.h>

#include <algorithm>
#include <atomic>

namespace quorbin {

namespace {

constexpr DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

Failure failed(const std::string& action, const std::string& path, DWORD error) {
    return Failure{"Cannot " + action + " \"" + path + "\": " + systemMessage(error)};
}

UniqueHandle openFile(const std::wstring& path, DWORD access, DWORD share, DWORD disposition) {
    return UniqueHandle(
        ::CreateFileW(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// 0, or the error that stopped the write.
DWORD writeFully(HANDLE file, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data() + done, chunk, &written, nullptr))
            return ::GetLastError();
        done += written;
    }
    return 0;
}

// Writes, makes the bytes lasting where asked, and closes; 0 or the error.
DWORD writeAndClose(UniqueHandle file, const std::string& bytes, bool flush) {
    if (const DWORD error = writeFully(file.get(), bytes))
        return error;
    if (flush && !::FlushFileBuffers(file.get()))
        return ::GetLastError();
    return file.close() ? 0 : ::GetLastError();
}

Result<void> overwrite(const std::wstring& target, const std::string& path, const std::string& bytes) {
    UniqueHandle file = openFile(target, GENERIC_WRITE, FILE_SHARE_READ, TRUNCATE_EXISTING);
    if (!file.valid())
        return failed("write", path, ::GetLastError());
    if (const DWORD error = writeAndClose(std::move(file), bytes, true))
        return failed("write", path, error);
    return Ok{};
}

std::wstring uniqueSuffix() {
    static std::atomic<unsigned> counter{0};
    unsigned long long value = ::GetTickCount64() ^
                               (static_cast<unsigned long long>(::GetCurrentProcessId()) << 32) ^
                               (static_cast<unsigned long long>(++counter) * 0x9E3779B97F4A7C15ull);
    static constexpr wchar_t digits[] = L"0123456789abcdefghijklmnopqrstuvwxyz";
    std::wstring suffix;
    for (int i = 0; i < 8; ++i, value /= 36)
        suffix += digits[value % 36];
    return suffix;
}

// A new file beside the target, for this call alone.
UniqueHandle createBeside(const std::wstring& target, std::wstring& name) {
    const auto cut = target.find_last_of(L"\\/:");
    const std::wstring folder = cut == std::wstring::npos ? std::wstring() : target.substr(0, cut + 1);
    const std::wstring base = target.substr(folder.size());
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + L"." + base + L"." + uniqueSuffix() + L".tmp";
        UniqueHandle file = openFile(name, GENERIC_WRITE | READ_CONTROL, 0, CREATE_NEW);
        if (file.valid() || ::GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return UniqueHandle();
}

// True when a file renamed over the target would keep what the target has: the same
// owner, and no permissions set on the target itself (the new file only inherits its
// folder's).
bool replaceableBy(HANDLE target, HANDLE replacement) {
    PSID targetOwner = nullptr;
    PSID newOwner = nullptr;
    PACL targetAccess = nullptr;
    PSECURITY_DESCRIPTOR targetSecurity = nullptr;
    PSECURITY_DESCRIPTOR newSecurity = nullptr;
    bool same =
        ::GetSecurityInfo(target, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                          &targetOwner, nullptr, &targetAccess, nullptr, &targetSecurity) == ERROR_SUCCESS &&
        ::GetSecurityInfo(replacement, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &newOwner, nullptr,
                          nullptr, nullptr, &newSecurity) == ERROR_SUCCESS &&
        targetOwner != nullptr && newOwner != nullptr && ::EqualSid(targetOwner, newOwner);
    if (same) {
        SECURITY_DESCRIPTOR_CONTROL control = 0;
        DWORD revision = 0;
        if (::GetSecurityDescriptorControl(targetSecurity, &control, &revision) &&
            (control & SE_DACL_PROTECTED))
            same = false;
        for (DWORD i = 0; same && targetAccess != nullptr && i < targetAccess->AceCount; ++i) {
            ACE_HEADER* entry = nullptr;
            if (::GetAce(targetAccess, i, reinterpret_cast<void**>(&entry)) &&
                !(entry->AceFlags & INHERITED_ACE))
                same = false;
        }
    }
    ::LocalFree(targetSecurity);
    ::LocalFree(newSecurity);
    return same;
}

} // namespace

Result<void> Win32FileSystem::remove(const std::string& path) {
    if (!::DeleteFileW(widen(path).c_str()))
        return failed("delete", path, ::GetLastError());
    return Ok{};
}

// The size is asked of an open file: the folder's entry for a file that another program
// is writing may lag behind it.
Result<std::int64_t> Win32FileSystem::length(const std::string& path) const {
    UniqueHandle file = openFile(widen(path), FILE_READ_ATTRIBUTES, shareAll, OPEN_EXISTING);
    LARGE_INTEGER size{};
    if (!file.valid() || !::GetFileSizeEx(file.get(), &size))
        return failed("measure", path, ::GetLastError());
    return static_cast<std::int64_t>(size.QuadPart);
}

Result<void> Win32FileSystem::setCurrentDirectory(const std::string& path) {
    if (!::SetCurrentDirectoryW(widen(path).c_str()))
        return failed("change to folder", path, ::GetLastError());
    return Ok{};
}

Result<std::string> Win32FileSystem::readAll(const std::string& path) const {
    UniqueHandle file =
        openFile(widen(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    if (!file.valid())
        return failed("read", path, ::GetLastError());
    std::string bytes;
    char buffer[65536];
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr))
            return failed("read", path, ::GetLastError());
        if (read == 0)
            return bytes;
        bytes.append(buffer, read);
    }
}

Result<void> Win32FileSystem::writeAll(const std::string& path, const std::string& bytes) {
    UniqueHandle file = openFile(widen(path), GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS);
    if (!file.valid())
        return failed("write", path, ::GetLastError());
    if (const DWORD error = writeAndClose(std::move(file), bytes, false))
        return failed("write", path, error);
    return Ok{};
}

// Renaming over a file gives the target the new file's identity: a file marked
// read-only is refused; one that other names share, that is a link, that belongs to
// someone else or carries permissions of its own, or whose folder takes no new files, is
// written where it stands instead.
Result<void> Win32FileSystem::replaceAll(const std::string& path, const std::string& bytes) {
    const std::wstring target = widen(path);
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    const bool existing = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    UniqueHandle old;
    if (existing) {
        if (attributes & FILE_ATTRIBUTE_READONLY)
            return failed("write", path, ERROR_ACCESS_DENIED);
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
            return overwrite(target, path, bytes);
        old = openFile(target, FILE_READ_ATTRIBUTES | READ_CONTROL, shareAll, OPEN_EXISTING);
        BY_HANDLE_FILE_INFORMATION info{};
        if (old.valid() && ::GetFileInformationByHandle(old.get(), &info) && info.nNumberOfLinks > 1)
            return overwrite(target, path, bytes);
    }
    std::wstring temporary;
    UniqueHandle file = createBeside(target, temporary);
    if (!file.valid()) {
        const DWORD error = ::GetLastError();
        if (existing && error == ERROR_ACCESS_DENIED)
            return overwrite(target, path, bytes);
        return failed("write", path, error);
    }
    if (old.valid() && !replaceableBy(old.get(), file.get())) {
        file.close();
        ::DeleteFileW(temporary.c_str());
        return overwrite(target, path, bytes);
    }
    old.close();
    DWORD error = writeAndClose(std::move(file), bytes, true);
    if (error == 0 && existing)
        ::SetFileAttributesW(temporary.c_str(),
                             attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                           FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED));
    if (error == 0 &&
        !::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = ::GetLastError();
    if (error != 0) {
        ::DeleteFileW(temporary.c_str());
        return failed("write", path, error);
    }
    return Ok{};
}

Result<void> Win32FileSystem::append(const std::string& path, const std::string& bytes) {
    UniqueHandle file = openFile(widen(path), FILE_APPEND_DATA | SYNCHRONIZE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_ALWAYS);
    if (!file.valid())
        return failed("append to", path, ::GetLastError());
    if (const DWORD error = writeAndClose(std::move(file), bytes, false))
        return failed("append to", path, error);
    return Ok{};
}

} // namespace quorbin
