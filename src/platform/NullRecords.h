#pragma once

#include "platform/BatchRecords.h"

namespace quorbin {

// For a program or a test that keeps no records of its batches: nothing is kept, every
// claim is granted.
class NullBatchRecords final : public BatchRecords {
public:
    Result<void> save(const std::string& /*folder*/, const std::string& /*text*/) override { return Ok{}; }
    void forget(const std::string& /*folder*/) override {}
    std::vector<std::string> all() const override { return {}; }

    static BatchRecords& instance() {
        static NullBatchRecords records;
        return records;
    }
};

class NullFolderClaims final : public FolderClaims {
public:
    Result<void> claim(const std::string& /*folder*/) override { return Ok{}; }
    void release(const std::string& /*folder*/) override {}
    bool claimedElsewhere(const std::string& /*folder*/) const override { return false; }

    static FolderClaims& instance() {
        static NullFolderClaims claims;
        return claims;
    }
};

} // namespace quorbin
