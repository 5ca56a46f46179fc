#pragma once

#include "platform/Result.h"

#include <optional>
#include <string>

namespace quorbin {

// The per-user store of text entries by section and key, for the application
// "quorbin". Values are stored exactly as written. A write reaches lasting storage
// before it returns and never leaves a half-written store behind.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored text; nothing when there is none, or none that can be read as text.
    virtual std::optional<std::string> read(const std::string& section, const std::string& key) const = 0;
    // The tool writes each value as it changes and goes on whatever the store says, so
    // callers may leave the result unread.
    virtual Result<void> write(const std::string& section, const std::string& key,
                               const std::string& value) = 0;
};

} // namespace quorbin
