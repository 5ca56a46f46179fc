#include "platform/win32/Win32BatchRecords.h"

#include "platform/RecordFileNames.h"
#include "platform/win32/SystemMessage.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32StateFolder.h"

#include <algorithm>
#include <utility>

namespace quorbin {

namespace {

constexpr const char* ending = ".batch";

std::wstring recordPath(const std::wstring& state, const std::string& folder) {
    return state + L"\\" + widen(recordFileName(folder, ending));
}

Failure cannot(const std::string& what, const std::wstring& path) {
    return Failure{"Cannot " + what + " \"" + narrow(path) + "\": " + systemMessage(::GetLastError())};
}

std::string readWhole(const std::wstring& path) {
    const UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string bytes;
    LARGE_INTEGER size{};
    if (!file.valid() || !::GetFileSizeEx(file.get(), &size) || size.QuadPart > (1 << 30))
        return bytes;
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
        return {};
    bytes.resize(read);
    return bytes;
}

} // namespace

Result<void> Win32BatchRecords::save(const std::string& folder, const std::string& text) {
    const Result<std::wstring> state = stateFolder();
    if (!state)
        return Failure{state.error()};
    const std::wstring path = recordPath(*state, folder);
    const std::wstring fresh = path + L".new" + std::to_wstring(::GetCurrentProcessId());
    UniqueHandle file(::CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return cannot("write", fresh);
    DWORD written = 0;
    const bool whole =
        ::WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
        written == text.size() && ::FlushFileBuffers(file.get());
    if (!whole || !file.close()) {
        const Failure failed = cannot("write", fresh);
        ::DeleteFileW(fresh.c_str());
        return failed;
    }
    if (!::MoveFileExW(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const Failure failed = cannot("replace", path);
        ::DeleteFileW(fresh.c_str());
        return failed;
    }
    return Ok{};
}

void Win32BatchRecords::forget(const std::string& folder) {
    if (const Result<std::wstring> state = stateFolder())
        ::DeleteFileW(recordPath(*state, folder).c_str());
}

std::vector<std::string> Win32BatchRecords::all() const {
    const Result<std::wstring> state = stateFolder();
    if (!state)
        return {};
    std::vector<std::pair<ULONGLONG, std::wstring>> found;
    WIN32_FIND_DATAW item{};
    const HANDLE search = ::FindFirstFileW((*state + L"\\*" + widen(ending)).c_str(), &item);
    if (search == INVALID_HANDLE_VALUE)
        return {};
    do {
        if (item.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        const ULONGLONG written = (static_cast<ULONGLONG>(item.ftLastWriteTime.dwHighDateTime) << 32) |
                                  item.ftLastWriteTime.dwLowDateTime;
        found.emplace_back(written, *state + L"\\" + item.cFileName);
    } while (::FindNextFileW(search, &item));
    ::FindClose(search);
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<std::string> texts;
    for (const auto& [when, path] : found)
        texts.push_back(readWhole(path));
    return texts;
}

} // namespace quorbin
