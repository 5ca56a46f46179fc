#pragma once

#include "core/BatchMode.h"

namespace quorbin {

struct Form;
class BatchJournal;
class EventLog;
class FileOutcomes;
class JobBuilder;
class ProcessLauncher;
class WhenDone;

// The batch modes and their one entry routine, the four run commands, and the file
// cursor that walks forward over the selected entries of the input file list.
class BatchController {
public:
    // What follows the batch besides the log: each file's outcome, the action chosen for
    // its end, its record.
    struct Followers {
        FileOutcomes& outcomes;
        WhenDone& whenDone;
        BatchJournal& journal;
    };

    BatchController(Form& form, EventLog& log, JobBuilder& jobs, ProcessLauncher& launcher,
                    Followers followers)
        : form_(form), log_(log), jobs_(jobs), launcher_(launcher), outcomes_(followers.outcomes),
          whenDone_(followers.whenDone), journal_(followers.journal) {}

    void setMode(BatchMode mode);
    bool nextFile(bool advance, bool showMessages);

    void buttonStart_Click();
    void buttonPause_Click();
    void buttonStop_Click();
    void buttonAbort_Click();

    // The tick has found no file left after the last one done, and the mode is 0 again:
    // the batch has reached its end (not Stop, not Abort). A word to the desktop, and the
    // action chosen for the end of a batch.
    void batchReachedEnd();

private:
    // The machine is kept awake exactly while the mode is 1 to 4.
    void keepAwakeFor(BatchMode mode);
    void runEntryAction(BatchMode mode);
    // Moves the cursor to the first selected entry at or after it; false when no entry
    // is selected at all.
    bool scanForSelected();
    bool reportNothingReady(const char* line, const char* message, bool showMessages);
    void prepareCurrentEntry();

    Form& form_;
    EventLog& log_;
    JobBuilder& jobs_;
    ProcessLauncher& launcher_;
    FileOutcomes& outcomes_;
    WhenDone& whenDone_;
    BatchJournal& journal_;
};

} // namespace quorbin
