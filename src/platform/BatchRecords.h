#pragma once

#include "platform/Result.h"

#include <string>
#include <vector>

namespace quorbin {

// The records of batches, one per working folder, in the user's own data folder (never in
// the working folder), so that a batch survives the tool: a crash, a power cut, a reboot.
//
// The core relies on this: save replaces the folder's record as a whole (a complete new
// file renamed over the old one), so whatever happens, the record is the old one or the
// new one; all gives every record's text, the most recently saved first; a record that
// cannot be read is left out with one line on standard error, never a box.
class BatchRecords {
public:
    virtual ~BatchRecords() = default;
    [[nodiscard]] virtual Result<void> save(const std::string& folder, const std::string& text) = 0;
    virtual void forget(const std::string& folder) = 0;
    virtual std::vector<std::string> all() const = 0;
};

// Claims on working folders between running instances of the tool: two batches in one
// folder would share its job script and its log.
//
// The core relies on this: a claim holds until release, or until the process that made it
// ends, however it ends (the system lets go of it); claim fails with the reason when
// another running instance holds the folder; claimedElsewhere tells whether one does.
class FolderClaims {
public:
    virtual ~FolderClaims() = default;
    [[nodiscard]] virtual Result<void> claim(const std::string& folder) = 0;
    virtual void release(const std::string& folder) = 0;
    virtual bool claimedElsewhere(const std::string& folder) const = 0;
};

} // namespace quorbin
