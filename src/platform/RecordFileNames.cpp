#include "platform/RecordFileNames.h"

#include <cinttypes>
#include <cstdint>
#include <cstdio>

namespace quorbin {

// FNV-1a: short, stable, and spread enough for the few folders a user runs batches in.
std::string recordFileName(const std::string& folder, const char* ending) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char c : folder) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    char name[17];
    std::snprintf(name, sizeof name, "%016" PRIx64, hash);
    return std::string(name) + ending;
}

} // namespace quorbin
