#include "core/SettingsAccess.h"

#include "platform/SettingsStore.h"

namespace quorbin {

std::string readSetting(const SettingsStore& store, const std::string& section, const std::string& key,
                        const std::string& defaultValue) {
    return store.read(section, key).value_or(defaultValue);
}

Result<void> writeSetting(SettingsStore& store, const std::string& section, const std::string& key,
                          const std::string& value) {
    return store.write(section, key, value);
}

} // namespace quorbin
