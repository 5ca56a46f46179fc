#pragma once

#include "platform/SettingsStore.h"

#include <map>
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
//
// Reads need read access alone, so a key the user may only read still gives its values.
// A write of the text already stored writes nothing. Each section's key stays open once
// used, so a read or a write is one call to the system; a key opened for reading is
// opened again for the first write, and one deleted meanwhile by someone else is opened
// again.
class Win32SettingsStore final : public SettingsStore {
public:
    // keyPath: below HKEY_CURRENT_USER; tests pass a key of their own.
    explicit Win32SettingsStore(std::string keyPath = "Software\\quorbin") : keyPath_(std::move(keyPath)) {}
    ~Win32SettingsStore() override;
    Win32SettingsStore(const Win32SettingsStore&) = delete;
    Win32SettingsStore& operator=(const Win32SettingsStore&) = delete;

    std::optional<std::string> read(const std::string& section, const std::string& key) const override;
    Result<void> write(const std::string& section, const std::string& key, const std::string& value) override;

private:
    struct OpenKey {
        void* key = nullptr;
        bool writable = false;
    };

    // The section's open key, or null (with the system's error in `status`); `forWriting`
    // asks for write access too, and makes a missing section.
    void* sectionKey(const std::string& section, bool forWriting, long& status) const;
    void forget(const std::string& section) const;

    std::string keyPath_;
    mutable std::map<std::string, OpenKey> sections_;
};

} // namespace quorbin
