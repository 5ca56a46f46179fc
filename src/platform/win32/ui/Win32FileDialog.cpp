#include "platform/win32/ui/Win32FileDialog.h"

#include "platform/win32/WideText.h"

#include <commdlg.h>

#include <algorithm>
#include <cstdio>

namespace quorbin {

namespace {

std::wstring currentDirectory() {
    std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
    folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
    return folder;
}

// The dialog opens in a folder; the request may name the file chosen before, which
// then stands for its folder.
std::wstring initialFolder(const std::string& requested) {
    std::wstring folder = widen(requested);
    if (folder.empty())
        return folder;
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return folder;
    const std::size_t cut = folder.find_last_of(L"\\/");
    return cut == std::wstring::npos ? std::wstring() : folder.substr(0, cut + 1);
}

// The pattern alone, as its own description: "*.avi\0*.avi\0\0".
std::wstring filterOf(const std::string& pattern) {
    if (pattern.empty())
        return {};
    const std::wstring wide = widen(pattern);
    std::wstring filter = wide;
    filter.push_back(L'\0');
    filter += wide;
    filter.push_back(L'\0');
    filter.push_back(L'\0');
    return filter;
}

std::string failureText(DWORD error, bool multiSelect) {
    if (error == FNERR_BUFFERTOOSMALL) {
        if (multiSelect)
            return "The chosen files do not fit into the 10000 characters the file dialog has for their "
                   "names. Choose fewer files at a time.";
        return "The chosen file's path is too long for the file dialog.";
    }
    char text[96];
    std::snprintf(text, sizeof(text), "The file dialog failed (common dialog error 0x%04lX).",
                  static_cast<unsigned long>(error));
    return text;
}

// The characters of the answer up to and with its final NUL: one NUL after a single
// path, two after a list.
std::size_t answerLength(const std::wstring& answer) {
    const std::size_t end = answer.find(std::wstring_view(L"\0\0", 2));
    return end == std::wstring::npos ? answer.size() : end + 2;
}

bool isFullPath(const std::wstring& name) {
    return name.find(L':') != std::wstring::npos || (!name.empty() && name.front() == L'\\');
}

} // namespace

std::vector<std::wstring> Win32FileDialog::chosenPaths(const std::wstring& answer) {
    const std::size_t firstEnd = std::min(answer.find(L'\0'), answer.size());
    const std::wstring first = answer.substr(0, firstEnd);
    if (first.empty())
        return {};
    if (firstEnd + 1 >= answer.size() || answer[firstEnd + 1] == L'\0')
        return {first};
    const std::wstring folder = first.back() == L'\\' ? first : first + L'\\';
    std::vector<std::wstring> paths;
    std::size_t at = firstEnd + 1;
    while (at < answer.size() && answer[at] != L'\0') {
        const std::size_t end = std::min(answer.find(L'\0', at), answer.size());
        const std::wstring name = answer.substr(at, end - at);
        paths.push_back(isFullPath(name) ? name : folder + name);
        at = end + 1;
    }
    return paths;
}

Result<std::vector<std::string>> Win32FileDialog::open(const OpenFileRequest& request) {
    const std::wstring title = widen(request.title);
    const std::wstring filter = filterOf(request.filter);
    const std::wstring folder = initialFolder(request.initialFolder);
    const std::size_t room = request.multiSelect ? multiSelectCharacters : singleCharacters;
    std::wstring answer(room + spareCharacters, L'\0');

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = window_.handle();
    dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = answer.data();
    dialog.nMaxFile = static_cast<DWORD>(room);
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_LONGNAMES | OFN_NOCHANGEDIR;
    if (request.multiSelect)
        dialog.Flags |= OFN_ALLOWMULTISELECT;
    if (request.readOnlyTicked)
        dialog.Flags |= OFN_READONLY;
    if (request.mustExist)
        dialog.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;

    // OFN_NOCHANGEDIR is documented to have no effect on the open dialog.
    const std::wstring before = currentDirectory();
    const BOOL chosen = GetOpenFileNameW(&dialog);
    const DWORD error = chosen ? 0 : CommDlgExtendedError();
    if (!before.empty())
        SetCurrentDirectoryW(before.c_str());

    std::vector<std::string> paths;
    if (!chosen || answerLength(answer) > room) {
        const DWORD failure = chosen ? FNERR_BUFFERTOOSMALL : error;
        if (failure != 0)
            return Failure{failureText(failure, request.multiSelect)};
        return paths; // cancelled
    }
    for (const std::wstring& path : chosenPaths(answer))
        paths.push_back(narrow(path));
    return paths;
}

} // namespace quorbin
