#include "platform/win32/Win32SettingsStore.h"

#include "platform/win32/SystemMessage.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WindowsHeader.h"

#include <climits>

namespace quorbin {

Win32SettingsStore::~Win32SettingsStore() {
    for (const auto& [section, opened] : sections_)
        ::RegCloseKey(static_cast<HKEY>(opened.key));
}

void* Win32SettingsStore::sectionKey(const std::string& section, bool forWriting, long& status) const {
    if (const auto found = sections_.find(section); found != sections_.end()) {
        if (found->second.writable || !forWriting)
            return found->second.key;
        forget(section);
    }
    const std::wstring subkey = widen(keyPath_ + "\\" + section);
    HKEY key = nullptr;
    // A read asks for read access alone, and opens without creating: reading leaves no
    // empty sections behind.
    status = forWriting
                 ? ::RegCreateKeyExW(HKEY_CURRENT_USER, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr)
                 : ::RegOpenKeyExW(HKEY_CURRENT_USER, subkey.c_str(), 0, KEY_QUERY_VALUE, &key);
    if (status != ERROR_SUCCESS)
        return nullptr;
    sections_[section] = OpenKey{key, forWriting};
    return key;
}

void Win32SettingsStore::forget(const std::string& section) const {
    if (const auto found = sections_.find(section); found != sections_.end()) {
        ::RegCloseKey(static_cast<HKEY>(found->second.key));
        sections_.erase(found);
    }
}

std::optional<std::string> Win32SettingsStore::read(const std::string& section,
                                                    const std::string& key) const {
    const std::wstring name = widen(key);
    std::wstring text(256, L'\0');
    for (int attempt = 0; attempt < 4; ++attempt) {
        long status = ERROR_SUCCESS;
        auto* opened = static_cast<HKEY>(sectionKey(section, false, status));
        if (opened == nullptr)
            return std::nullopt;
        auto bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        // RRF_RT_REG_SZ: a value of any other type reads as missing.
        status = ::RegGetValueW(opened, nullptr, name.c_str(), RRF_RT_REG_SZ, nullptr, text.data(), &bytes);
        if (status == ERROR_MORE_DATA) {
            text.assign(bytes / sizeof(wchar_t) + 1, L'\0');
            continue;
        }
        if (status == ERROR_KEY_DELETED) {
            forget(section);
            continue;
        }
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
    const std::wstring name = widen(key);
    const std::wstring text = widen(value);
    const auto failed = [&](long status) {
        return Failure{"The setting " + section + "\\" + key +
                       " could not be stored: " + systemMessage(static_cast<unsigned long>(status))};
    };
    if ((text.size() + 1) * sizeof(wchar_t) > INT_MAX)
        return failed(ERROR_INVALID_PARAMETER);
    // Start-up stores back each value it has just read: the same text is not written again.
    if (read(section, key) == value)
        return Ok{};
    long status = ERROR_SUCCESS;
    for (int attempt = 0; attempt < 2; ++attempt) {
        auto* opened = static_cast<HKEY>(sectionKey(section, true, status));
        if (opened == nullptr)
            return failed(status);
        status =
            ::RegSetValueExW(opened, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        if (status != ERROR_KEY_DELETED)
            break;
        forget(section);
    }
    if (status != ERROR_SUCCESS)
        return failed(status);
    return Ok{};
}

} // namespace quorbin
