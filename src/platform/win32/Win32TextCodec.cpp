#include "platform/win32/Win32TextCodec.h"

#include "platform/win32/SystemMessage.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WindowsHeader.h"

#include <climits>
#include <cstdio>

namespace quorbin {

namespace {

struct Converted {
    std::string bytes;
    bool lossless = true;
};

// The UTF-8 code page takes no best-fit flag and no default character: everything fits.
Converted toAnsi(std::wstring_view wide) {
    Converted out;
    if (wide.empty() || wide.size() > INT_MAX / 4)
        return out;
    const UINT codePage = ::GetACP();
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* const usedDefaultFlag = utf8 ? nullptr : &usedDefault;
    const int length = static_cast<int>(wide.size());
    const int size =
        ::WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, nullptr, nullptr);
    out.bytes.resize(static_cast<std::size_t>(size));
    ::WideCharToMultiByte(codePage, flags, wide.data(), length, out.bytes.data(), size, nullptr,
                          usedDefaultFlag);
    out.lossless = size > 0 && !usedDefault;
    return out;
}

// What the message says of the first character that the code page lacks.
std::string firstMissing(std::wstring_view wide) {
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const std::size_t width =
            (wide[i] >= 0xD800 && wide[i] <= 0xDBFF && i + 1 < wide.size()) ? std::size_t{2} : std::size_t{1};
        const std::wstring_view character = wide.substr(i, width);
        if (!toAnsi(character).lossless) {
            unsigned code = character[0];
            if (width == 2)
                code = 0x10000 + ((code - 0xD800) << 10) + (character[1] - 0xDC00);
            char number[16];
            std::snprintf(number, sizeof number, "U+%04X", code);
            return "the character \"" + narrow(character) + "\" (" + number + ")";
        }
        i += width - 1;
    }
    return "a character";
}

std::string codePageName() {
    return "code page " + std::to_string(::GetACP());
}

} // namespace

Result<std::string> Win32TextCodec::programBytes(std::string_view text) const {
    const std::wstring wide = widen(text);
    Converted converted = toAnsi(wide);
    if (!converted.lossless && !wide.empty())
        return Failure{"the system's " + codePageName() + " lacks " + firstMissing(wide)};
    return std::move(converted.bytes);
}

std::string Win32TextCodec::programBytesOrMarks(std::string_view text) const {
    return toAnsi(widen(text)).bytes;
}

Result<std::string> Win32TextCodec::programName(const std::string& path) const {
    const std::wstring wide = widen(path);
    if (toAnsi(wide).lossless)
        return path;
    const DWORD size = ::GetShortPathNameW(wide.c_str(), nullptr, 0);
    std::wstring shortName(size, L'\0');
    const DWORD length = size == 0 ? 0 : ::GetShortPathNameW(wide.c_str(), shortName.data(), size);
    if (length == 0 || length >= size)
        return Failure{"\"" + path + "\" has no short name: " + systemMessage(::GetLastError())};
    shortName.resize(length);
    if (!toAnsi(shortName).lossless)
        return Failure{"\"" + path + "\" has no short name that the system's " + codePageName() +
                       " can hold"};
    return narrow(shortName);
}

std::string Win32TextCodec::textFrom8Bit(std::string_view bytes) const {
    return narrow(widenFrom(CP_ACP, bytes));
}

} // namespace quorbin
