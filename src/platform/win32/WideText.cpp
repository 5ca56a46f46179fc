#include "platform/win32/WideText.h"

#include "platform/win32/WindowsHeader.h"

#include <climits>

namespace quorbin {

std::wstring widen(std::string_view utf8) {
    return widenFrom(CP_UTF8, utf8);
}

std::wstring widenFrom(unsigned codePage, std::string_view bytes) {
    if (bytes.empty() || bytes.size() > INT_MAX)
        return {};
    const int length = static_cast<int>(bytes.size());
    const int size = ::MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(codePage, 0, bytes.data(), length, wide.data(), size);
    return wide;
}

std::string narrow(std::wstring_view utf16) {
    if (utf16.empty() || utf16.size() > INT_MAX)
        return {};
    const int length = static_cast<int>(utf16.size());
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

} // namespace quorbin
