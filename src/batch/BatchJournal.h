#pragma once

#include "batch/BatchRecordText.h"
#include "core/FailureTrace.h"

#include <iostream>
#include <optional>
#include <string>

namespace quorbin {

struct Form;
class FileOutcomes;

// Keeps a record of the batch while it runs, so that a batch survives the tool (a crash,
// a power cut, a reboot), offers an interrupted one back at start-up, and claims the
// working folder for this instance while its batch runs.
//
// The record is written when the batch has changed (a mode, the cursor, a tick, an
// outcome, the job's program), never on a plain tick, and forgotten once the batch is
// back in mode 0 however it got there: only a batch that did not get there is offered.
class BatchJournal {
public:
    BatchJournal(Form& form, FileOutcomes& outcomes, std::ostream& trace = std::cerr)
        : form_(form), outcomes_(outcomes), trace_(trace) {}

    void note();
    // Start: claims the working folder; false, after a box, when another running instance
    // of the tool has a batch there.
    bool claimFolder();

    // The most recent recorded batch that did not reach mode 0 and whose folder no running
    // instance has claimed.
    std::optional<RecordedBatch> interrupted();
    // What the start-up asks of it.
    std::string question(const RecordedBatch& batch);
    void forget(const RecordedBatch& batch);
    // Ends its program if it still runs, then fills the list as it was, with the cursor on
    // the interrupted file; starts nothing. False when it could not be restored.
    bool restore(const RecordedBatch& batch);

private:
    RecordedBatch current() const;
    void keepClaim();
    void letGoOfClaim();
    bool anyFileLeft(const RecordedBatch& batch) const;
    void fillList(const RecordedBatch& batch);

    Form& form_;
    FileOutcomes& outcomes_;
    FailureTrace trace_;
    std::string saved_;       // the text of the record last written
    std::string savedFolder_; // its folder; empty when this run has written none
    std::string claimed_;     // the folder this instance has claimed, if any
};

} // namespace quorbin
