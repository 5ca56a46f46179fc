#pragma once

#include "platform/BatchRecords.h"
#include "platform/posix/UniqueFd.h"

#include <map>

namespace quorbin {

// A claim is an flock on "<hash of the folder>.lock" in the state folder, held on a
// descriptor of this process: the system lets go of it when the process ends, however
// it ends.
class PosixFolderClaims final : public FolderClaims {
public:
    Result<void> claim(const std::string& folder) override;
    void release(const std::string& folder) override;
    bool claimedElsewhere(const std::string& folder) const override;

private:
    std::map<std::string, UniqueFd> held_;
};

} // namespace quorbin
