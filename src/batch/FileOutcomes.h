#pragma once

#include "batch/FileOutcome.h"
#include "batch/OutcomeText.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace quorbin {

struct Form;

// How each file of the list fared, shown beside its entry as a badge, and the batch's
// progress on the taskbar. Outcomes belong to the list's current contents: a new pick
// clears them. Each job's events apply to the file it was launched for, even when the
// user has clicked another entry since.
class FileOutcomes {
public:
    explicit FileOutcomes(Form& form) : form_(form) {}

    // A new pick: outcomes are gone; entries that are another entry's output are marked.
    void listFilled();
    void batchStarted();

    void jobStarted(const std::string& name);
    void jobNotStarted(const std::string& name, const std::string& reason);
    void jobExited(std::uint32_t code, const std::string& lastMessages);
    void jobStalled();
    void jobTimedOut();
    // Stop or Abort while the job was running.
    void jobInterrupted(OutcomeKind kind);

    // The taskbar shows files done out of files to do while a batch runs, paused while
    // it is paused, nothing in mode 0.
    void showProgress();
    // The summary of the batch that has just reached its end, and its files as it counts
    // them, in list order.
    std::string summary() const;
    std::vector<SummaryFile> summaryFiles() const;

    // An outcome kept in the record of an interrupted batch: it counts in the next batch,
    // which goes on from there. The job that was running has no outcome: it runs again.
    void restore(int index, const std::string& name, OutcomeKind kind, std::int32_t exitCode, int timeouts,
                 std::int32_t seconds);

    // The outcome of a file in this list, or null.
    const FileOutcome* outcomeOf(const std::string& name) const;

private:
    FileOutcome* runningJob();
    void end(FileOutcome& outcome, OutcomeKind kind);
    const FileOutcome* ofThisBatch(const std::string& name) const;
    void showBadge(const std::string& name);
    void showBadge(int index, const std::string& name);
    void markOutputs();

    Form& form_;
    std::unordered_map<std::string, FileOutcome> outcomes_;
    // Entry name -> the entry whose output it is.
    std::unordered_map<std::string, std::string> outputOf_;
    std::string job_; // the file of the job launched last, while it runs
    unsigned batch_ = 0;
    struct Shown {
        int done = -1;
        int total = -1;
        bool paused = false;
        bool operator==(const Shown&) const = default;
    } shown_;
};

} // namespace quorbin
