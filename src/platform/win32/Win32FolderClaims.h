#pragma once

#include "platform/BatchRecords.h"

#include <map>

namespace quorbin {

// A claim is a lock (LockFileEx) on "<hash of the folder>.lock" in %LOCALAPPDATA%\Quorbin,
// held through a handle of this process: the system lets go of it when the process ends,
// however it ends.
class Win32FolderClaims final : public FolderClaims {
public:
    Win32FolderClaims() = default;
    ~Win32FolderClaims() override;
    Win32FolderClaims(const Win32FolderClaims&) = delete;
    Win32FolderClaims& operator=(const Win32FolderClaims&) = delete;

    Result<void> claim(const std::string& folder) override;
    void release(const std::string& folder) override;
    bool claimedElsewhere(const std::string& folder) const override;

private:
    std::map<std::string, void*> held_;
};

} // namespace quorbin
