#include "batch/FileOutcomes.h"

#include "batch/OutcomeText.h"
#include "core/Form.h"
#include "job/JobText.h"

#include <cctype>
#include <cmath>

namespace quorbin {

namespace {

std::string comparable(std::string name) {
    if (fileNamesIgnoreCase)
        for (char& c : name)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

} // namespace

void FileOutcomes::listFilled() {
    outcomes_.clear();
    outputOf_.clear();
    job_.clear();
    markOutputs();
}

// The mark tells a user who picked last night's outputs by mistake before Start.
void FileOutcomes::markOutputs() {
    const ListBox& list = form_.controls.listFiles;
    const int count = list.count();
    std::unordered_map<std::string, std::string> sourceByOutput;
    for (int i = 0; i < count; ++i) {
        const std::string name = list.entryText(i);
        sourceByOutput.emplace(comparable(outputName(name)), name);
    }
    for (int i = 0; i < count; ++i) {
        const std::string name = list.entryText(i);
        const auto source = sourceByOutput.find(comparable(name));
        if (source == sourceByOutput.end() || source->second == name)
            continue;
        outputOf_[name] = source->second;
        showBadge(i, name);
    }
}

void FileOutcomes::batchStarted() {
    ++batch_;
}

void FileOutcomes::jobStarted(const std::string& name) {
    FileOutcome& outcome = outcomes_[name];
    // A start after a time-out goes on counting the same file's time and time-outs.
    if (outcome.kind != OutcomeKind::running || outcome.batch != batch_) {
        outcome = FileOutcome{};
        outcome.startedAt = form_.dayClock.seconds();
        outcome.startedClock = form_.services.clock.timeOfDay();
        outcome.batch = batch_;
    }
    outcome.kind = OutcomeKind::running;
    job_ = name;
    showBadge(name);
}

void FileOutcomes::jobNotStarted(const std::string& name, const std::string& reason) {
    FileOutcome& outcome = outcomes_[name];
    const int timeouts = outcome.kind == OutcomeKind::running ? outcome.timeouts : 0;
    outcome = FileOutcome{};
    outcome.kind = OutcomeKind::notStarted;
    outcome.note = reason;
    outcome.timeouts = timeouts;
    outcome.batch = batch_;
    job_.clear();
    showBadge(name);
}

FileOutcome* FileOutcomes::runningJob() {
    const auto found = outcomes_.find(job_);
    if (job_.empty() || found == outcomes_.end() || found->second.kind != OutcomeKind::running)
        return nullptr;
    return &found->second;
}

void FileOutcomes::end(FileOutcome& outcome, OutcomeKind kind) {
    outcome.kind = kind;
    outcome.seconds = static_cast<std::int32_t>(std::lround(form_.dayClock.seconds() - outcome.startedAt));
    const std::string name = job_;
    job_.clear();
    showBadge(name);
}

void FileOutcomes::jobExited(std::uint32_t code, const std::string& lastMessages) {
    if (FileOutcome* outcome = runningJob()) {
        outcome->exitCode = static_cast<std::int32_t>(code);
        if (code != 0)
            outcome->note = lastMessages;
        end(*outcome, code == 0 ? OutcomeKind::finished : OutcomeKind::failed);
    }
}

void FileOutcomes::jobStalled() {
    if (FileOutcome* outcome = runningJob())
        end(*outcome, OutcomeKind::stalled);
}

void FileOutcomes::jobTimedOut() {
    if (FileOutcome* outcome = runningJob()) {
        ++outcome->timeouts;
        showBadge(job_);
    }
}

void FileOutcomes::jobInterrupted(OutcomeKind kind) {
    if (FileOutcome* outcome = runningJob())
        end(*outcome, kind);
}

void FileOutcomes::restore(int index, const std::string& name, OutcomeKind kind, std::int32_t exitCode,
                           int timeouts, std::int32_t seconds) {
    if (kind == OutcomeKind::none || kind == OutcomeKind::running)
        return;
    FileOutcome& outcome = outcomes_[name];
    outcome = FileOutcome{};
    outcome.kind = kind;
    outcome.exitCode = exitCode;
    outcome.timeouts = timeouts;
    outcome.seconds = seconds;
    outcome.batch = batch_ + 1;
    showBadge(index, name);
}

const FileOutcome* FileOutcomes::outcomeOf(const std::string& name) const {
    const auto found = outcomes_.find(name);
    return found == outcomes_.end() ? nullptr : &found->second;
}

const FileOutcome* FileOutcomes::ofThisBatch(const std::string& name) const {
    const FileOutcome* outcome = outcomeOf(name);
    return outcome != nullptr && outcome->batch == batch_ && outcome->kind != OutcomeKind::none ? outcome
                                                                                                : nullptr;
}

void FileOutcomes::showBadge(const std::string& name) {
    const ListBox& list = form_.controls.listFiles;
    for (int i = 0, count = list.count(); i < count; ++i)
        if (list.entryText(i) == name) {
            showBadge(i, name);
            return;
        }
}

void FileOutcomes::showBadge(int index, const std::string& name) {
    const FileOutcome* outcome = outcomeOf(name);
    const auto source = outputOf_.find(name);
    form_.controls.listFiles.setBadge(index, badgeFor(outcome != nullptr ? *outcome : FileOutcome{},
                                                      source != outputOf_.end() ? source->second : ""));
}

void FileOutcomes::showProgress() {
    const BatchState& s = form_.state;
    Shown now;
    if (s.mode != modeIdle) {
        now = Shown{0, 0, s.paused};
        const ListBox& list = form_.controls.listFiles;
        for (int i = 0, count = list.count(); i < count; ++i) {
            const FileOutcome* outcome = ofThisBatch(list.entryText(i));
            if (outcome != nullptr && hasEnded(outcome->kind))
                ++now.done;
            if (outcome != nullptr || list.isSelected(i))
                ++now.total;
        }
    }
    if (now == shown_)
        return;
    shown_ = now;
    if (now.total > 0)
        form_.services.taskbar.show(now.done, now.total, now.paused);
    else
        form_.services.taskbar.clear();
}

std::string FileOutcomes::summary() const {
    return batchSummary(summaryFiles());
}

std::vector<SummaryFile> FileOutcomes::summaryFiles() const {
    std::vector<SummaryFile> files;
    const ListBox& list = form_.controls.listFiles;
    for (int i = 0, count = list.count(); i < count; ++i) {
        const std::string name = list.entryText(i);
        if (const FileOutcome* outcome = ofThisBatch(name))
            files.push_back({name, outcome->kind, outcome->exitCode, outcome->timeouts});
        else if (list.isSelected(i))
            files.push_back({name, OutcomeKind::none, 0, 0});
    }
    return files;
}

} // namespace quorbin
