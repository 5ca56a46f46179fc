#pragma once

#include "platform/SettingsStore.h"

#include <string>
#include <utility>

namespace quorbin {

// The settings in the user's part of the registry: one key per section under
// HKEY_CURRENT_USER\Software\quorbin, one REG_SZ value per entry, named by its key.
//
// A value of another type, or one that cannot be read, is no entry: read gives nothing
// and the caller's default applies. The registry writes a value whole or not at all, and
// puts it on disk within seconds by itself; it is not forced there on every keystroke,
// which would hold up every program writing to the user's registry.
class Win32SettingsStore final : public SettingsStore {
public:
    // keyPath: below HKEY_CURRENT_USER; tests pass a key of their own.
    explicit Win32SettingsStore(std::string keyPath = "Software\\quorbin") : keyPath_(std::move(keyPath)) {}

    std::optional<std::string> read(const std::string& section, const std::string& key) const override;
    Result<void> write(const std::string& section, const std::string& key, const std::string& value) override;

private:
    std::string keyPath_;
};

} // namespace quorbin
