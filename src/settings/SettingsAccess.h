#pragma once

#include <string>

namespace quorbin {

class SettingsStore;

// The stored text of an entry, or the default when the entry does not exist.
std::string readSetting(const SettingsStore& store, const std::string& section, const std::string& key,
                        const std::string& defaultValue);

// Stores the text; false when the store could not keep it.
bool writeSetting(SettingsStore& store, const std::string& section, const std::string& key,
                  const std::string& value);

} // namespace quorbin
