#include "platform/win32/Win32SettingsStore.h"

#include "platform/win32/SystemMessage.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WindowsHeader.h"

#include <climits>

namespace quorbin {

std::optional<std::string> Win32SettingsStore::read(const std::string& section,
                                                    const std::string& key) const {
    const std::wstring subkey = widen(keyPath_ + "\\" + section);
    const std::wstring name = widen(key);
    // RRF_RT_REG_SZ: a value of any other type reads as missing. The size may change
    // between the two calls when another program writes the value.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD bytes = 0;
        LSTATUS status = ::RegGetValueW(HKEY_CURRENT_USER, subkey.c_str(), name.c_str(), RRF_RT_REG_SZ,
                                        nullptr, nullptr, &bytes);
        if (status != ERROR_SUCCESS)
            return std::nullopt;
        std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
        bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        status = ::RegGetValueW(HKEY_CURRENT_USER, subkey.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                                text.data(), &bytes);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS)
            return std::nullopt;
        text.resize(bytes / sizeof(wchar_t));
        while (!text.empty() && text.back() == L'\0')
            text.pop_back();
        return narrow(text);
    }
    return std::nullopt;
}

Result<void> Win32SettingsStore::write(const std::string& section, const std::string& key,
                                       const std::string& value) {
    const std::wstring subkey = widen(keyPath_ + "\\" + section);
    const std::wstring name = widen(key);
    const std::wstring text = widen(value);
    const auto failed = [&](LSTATUS status) {
        return Failure{"The setting " + section + "\\" + key +
                       " could not be stored: " + systemMessage(static_cast<unsigned long>(status))};
    };
    if ((text.size() + 1) * sizeof(wchar_t) > INT_MAX)
        return failed(ERROR_INVALID_PARAMETER);
    HKEY opened = nullptr;
    LSTATUS status = ::RegCreateKeyExW(HKEY_CURRENT_USER, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                       KEY_SET_VALUE, nullptr, &opened, nullptr);
    if (status != ERROR_SUCCESS)
        return failed(status);
    status = ::RegSetValueExW(opened, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                              static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(opened);
    if (status != ERROR_SUCCESS)
        return failed(status);
    return Ok{};
}

} // namespace quorbin
