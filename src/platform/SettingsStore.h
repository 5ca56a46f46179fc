#pragma once

#include <optional>
#include <string>

namespace quorbin {

// The per-user store of text entries by section and key, for the application
// "quorbin". Values are stored exactly as written. A write reaches lasting storage
// before it returns and never leaves a half-written store behind.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::string> read(const std::string& section, const std::string& key) const = 0;
    virtual bool write(const std::string& section, const std::string& key, const std::string& value) = 0;
};

} // namespace quorbin
