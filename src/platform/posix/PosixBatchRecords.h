#pragma once

#include "platform/BatchRecords.h"

namespace quorbin {

// Each record a file "<hash of the folder>.batch" in the state folder ($XDG_STATE_HOME/
// quorbin), replaced whole as the file system replaces a file: written beside it, flushed
// to the disk and renamed over it.
class PosixBatchRecords final : public BatchRecords {
public:
    Result<void> save(const std::string& folder, const std::string& text) override;
    void forget(const std::string& folder) override;
    std::vector<std::string> all() const override;
};

} // namespace quorbin
