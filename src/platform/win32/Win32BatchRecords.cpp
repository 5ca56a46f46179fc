#include "platform/win32/Win32BatchRecords.h"

#include "platform/RecordFileNames.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32StateFolder.h"

#include <windows.h>

#include <algorithm>
#include <utility>

namespace quorbin {

namespace {

constexpr const char* ending = ".batch";

std::wstring recordPath(const std::wstring& state, const std::string& folder) {
    return state + L"\\" + widen(recordFileName(folder, ending));
}

} // namespace

Result<void> Win32BatchRecords::save(const std::string& folder, const std::string& text) {
    const Result<std::wstring> state = stateFolder();
    if (!state)
        return Failure{state.error()};
    return Win32FileSystem().replaceAll(narrow(recordPath(*state, folder)), text);
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
    const Win32FileSystem files;
    std::vector<std::string> texts;
    texts.reserve(found.size());
    for (const auto& [when, path] : found)
        texts.push_back(files.readAll(narrow(path)).value_or(std::string()));
    return texts;
}

} // namespace quorbin
