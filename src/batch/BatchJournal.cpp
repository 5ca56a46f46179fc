#include "batch/BatchJournal.h"

#include "batch/FileOutcomes.h"
#include "core/Form.h"
#include "core/SettingsAccess.h"

#include <algorithm>
#include <limits>
#include <map>

namespace quorbin {

namespace {

// A folder as people write it: without the separator that ends it, but for a root.
std::string shownFolder(std::string folder) {
    if (folder.size() > 1 && folder.back() == pathSeparator && folder[folder.size() - 2] != ':')
        folder.pop_back();
    return folder;
}

std::string counted(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

} // namespace

RecordedBatch BatchJournal::current() const {
    const BatchState& s = form_.state;
    RecordedBatch batch;
    batch.folder = s.aviPath;
    batch.mode = s.mode;
    batch.cursor = s.fileIndex;
    if (s.hProcess != 0)
        batch.job = form_.services.processes.identity(s.hProcess);
    batch.jobFile = s.currentFile;
    const ListBox& list = form_.controls.listFiles;
    for (int i = 0, count = list.count(); i < count; ++i) {
        RecordedEntry entry;
        entry.name = list.entryText(i);
        entry.ticked = list.isSelected(i);
        if (const FileOutcome* outcome = outcomes_.outcomeOf(entry.name)) {
            entry.kind = outcome->kind;
            entry.exitCode = outcome->exitCode;
            entry.timeouts = outcome->timeouts;
            entry.seconds = outcome->seconds;
        }
        batch.entries.push_back(std::move(entry));
    }
    return batch;
}

void BatchJournal::note() {
    const BatchState& s = form_.state;
    BatchRecords& records = form_.services.records;
    if (s.mode == modeIdle) {
        if (!savedFolder_.empty())
            records.forget(savedFolder_);
        saved_.clear();
        savedFolder_.clear();
        letGoOfClaim();
        return;
    }
    keepClaim();
    if (s.aviPath.empty())
        return;
    const std::string text = formatRecord(current());
    if (text == saved_ && savedFolder_ == s.aviPath)
        return;
    // A pick during the batch has moved it to another folder.
    if (!savedFolder_.empty() && savedFolder_ != s.aviPath)
        records.forget(savedFolder_);
    if (const Result<void> saved = records.save(s.aviPath, text); !saved)
        trace_.report("the batch could not be recorded: " + saved.error());
    saved_ = text;
    savedFolder_ = s.aviPath;
}

bool BatchJournal::claimFolder() {
    const std::string& folder = form_.state.aviPath;
    if (folder.empty() || folder == claimed_)
        return true;
    const Result<void> claimed = form_.services.claims.claim(folder);
    if (!claimed) {
        form_.showMessage("Another Quorbin is running a batch in " + shownFolder(folder) +
                          ": two batches in one folder would share its job script and its log. Start "
                          "this batch when that one has ended. (" +
                          claimed.error() + ")");
        return false;
    }
    letGoOfClaim();
    claimed_ = folder;
    return true;
}

// The claim follows the batch when a pick moves it to another folder; a folder that
// another instance holds stays theirs.
void BatchJournal::keepClaim() {
    const std::string& folder = form_.state.aviPath;
    if (folder.empty() || folder == claimed_)
        return;
    if (const Result<void> claimed = form_.services.claims.claim(folder); !claimed) {
        trace_.report("the working folder could not be claimed: " + claimed.error());
        return;
    }
    letGoOfClaim();
    claimed_ = folder;
}

void BatchJournal::letGoOfClaim() {
    if (!claimed_.empty())
        form_.services.claims.release(claimed_);
    claimed_.clear();
}

std::optional<RecordedBatch> BatchJournal::interrupted() {
    for (const std::string& text : form_.services.records.all()) {
        Result<RecordedBatch> batch = parseRecord(text);
        if (!batch) {
            trace_.report("a record of a batch was ignored: " + batch.error());
            continue;
        }
        if (batch->mode == modeIdle || form_.services.claims.claimedElsewhere(batch->folder))
            continue;
        // Its folder gone (a drive unplugged, a folder deleted) or emptied: nothing to
        // offer, and nothing to offer again at the next start.
        if (!anyFileLeft(*batch)) {
            trace_.report("a record of a batch was dropped: none of its files is left in " + batch->folder);
            forget(*batch);
            continue;
        }
        return std::move(batch).value();
    }
    return std::nullopt;
}

std::string BatchJournal::question(const RecordedBatch& batch) {
    const auto inBatch = [](const RecordedEntry& e) { return e.ticked || e.kind != OutcomeKind::none; };
    const auto done = [](const RecordedEntry& e) { return hasEnded(e.kind); };
    const auto files = std::count_if(batch.entries.begin(), batch.entries.end(), inBatch);
    const auto finished = std::count_if(batch.entries.begin(), batch.entries.end(), done);
    std::string text = "The batch of " + counted(static_cast<std::size_t>(files), "file", "files") + " in " +
                       shownFolder(batch.folder) + " was interrupted" +
                       (batch.jobFile.empty() ? "" : " at " + batch.jobFile) + ", with " +
                       std::to_string(finished) + " done.";
    if (batch.job.id != 0 && form_.services.processes.isRunning(batch.job))
        text += " Its program (process " + std::to_string(batch.job.id) +
                ") is still running: Yes ends it, with everything it started, before the batch is restored.";
    return text + " Restore it?";
}

void BatchJournal::forget(const RecordedBatch& batch) {
    form_.services.records.forget(batch.folder);
}

bool BatchJournal::restore(const RecordedBatch& batch) {
    Services& services = form_.services;
    if (const Result<void> entered = services.files.setCurrentDirectory(batch.folder); !entered) {
        trace_.report("the interrupted batch could not be restored: " + entered.error());
        forget(batch);
        return false;
    }
    // Never two writers of one output: the program the batch left must end first.
    if (batch.job.id != 0 && services.processes.isRunning(batch.job)) {
        if (const Result<void> ended = services.processes.endLeftover(batch.job); !ended) {
            form_.showMessage(ended.error());
            return false;
        }
    }
    form_.state.aviPath = batch.folder;
    (void)writeSetting(services.settings, "file", "aviPath", batch.folder);
    fillList(batch);
    return true;
}

bool BatchJournal::anyFileLeft(const RecordedBatch& batch) const {
    return std::any_of(batch.entries.begin(), batch.entries.end(), [&](const RecordedEntry& entry) {
        return form_.services.files.length(batch.folder + entry.name).ok();
    });
}

// Entries whose files have gone are left out; the cursor lands on the interrupted file.
void BatchJournal::fillList(const RecordedBatch& batch) {
    ListBox& list = form_.controls.listFiles;
    list.clear();
    std::map<std::string, const RecordedEntry*> kept;
    for (const RecordedEntry& entry : batch.entries) {
        if (!form_.services.files.length(batch.folder + entry.name)) {
            trace_.report("a file of the interrupted batch has gone: " + batch.folder + entry.name);
            continue;
        }
        if (kept.emplace(entry.name, &entry).second)
            list.addSorted(entry.name);
    }
    outcomes_.listFilled();
    int cursor = 0;
    for (int i = 0, count = list.count(); i < count; ++i) {
        const RecordedEntry& entry = *kept.at(list.entryText(i));
        list.setSelected(i, entry.ticked);
        outcomes_.restore(i, entry.name, entry.kind, entry.exitCode, entry.timeouts, entry.seconds);
        if (entry.name == batch.jobFile)
            cursor = i;
    }
    cursor = std::min(cursor, static_cast<int>(std::numeric_limits<std::int16_t>::max()));
    form_.state.fileIndex = static_cast<std::int16_t>(cursor);
    list.setCurrentIndex(cursor);
}

} // namespace quorbin
