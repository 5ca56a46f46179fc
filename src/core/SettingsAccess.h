#pragma once

#include "platform/Result.h"

#include <string>

namespace quorbin {

class SettingsStore;

// The stored text of an entry, or the default when the entry does not exist.
std::string readSetting(const SettingsStore& store, const std::string& section, const std::string& key,
                        const std::string& defaultValue);

// Stores the text; a failure when the store could not keep it.
Result<void> writeSetting(SettingsStore& store, const std::string& section, const std::string& key,
                          const std::string& value);

} // namespace quorbin
