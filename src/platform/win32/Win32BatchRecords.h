#pragma once

#include "platform/BatchRecords.h"

namespace quorbin {

// Each record a file "<hash of the folder>.batch" in %LOCALAPPDATA%\Quorbin, written to a
// new file beside it, flushed to the disk and moved over it.
class Win32BatchRecords final : public BatchRecords {
public:
    Result<void> save(const std::string& folder, const std::string& text) override;
    void forget(const std::string& folder) override;
    std::vector<std::string> all() const override;
};

} // namespace quorbin
