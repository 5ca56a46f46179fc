#pragma once

#include "platform/SettingsStore.h"

#include <initializer_list>
#include <map>
#include <string>
#include <utility>

namespace quorbin {

// Settings that live as long as the program: filled at the start, written to memory
// alone, and gone at the end.
class MemorySettingsStore final : public SettingsStore {
public:
    struct Entry {
        std::string section;
        std::string key;
        std::string value;
    };

    MemorySettingsStore(std::initializer_list<Entry> entries) {
        for (const Entry& entry : entries)
            values_[{entry.section, entry.key}] = entry.value;
    }

    std::optional<std::string> read(const std::string& section, const std::string& key) const override {
        const auto found = values_.find({section, key});
        return found == values_.end() ? std::nullopt : std::optional<std::string>(found->second);
    }
    Result<void> write(const std::string& section, const std::string& key,
                       const std::string& value) override {
        values_[{section, key}] = value;
        return Ok{};
    }

private:
    std::map<std::pair<std::string, std::string>, std::string> values_;
};

} // namespace quorbin
