#include "batch/OutcomeText.h"

#include "log/TimeText.h"

#include <map>

namespace quorbin {

namespace {

std::string counted(int count, const std::string& one, const std::string& many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string clock(const TimeOfDay& time) {
    return zeroPad(time.hours, 2) + ":" + zeroPad(time.minutes, 2) + ":" + zeroPad(time.seconds, 2);
}

std::string afterTimeouts(int timeouts) {
    return timeouts == 0 ? std::string() : ", after " + counted(timeouts, "time-out", "time-outs");
}

std::string tookTime(const FileOutcome& outcome) {
    return " after " + formatTime(outcome.seconds) + afterTimeouts(outcome.timeouts);
}

EntryBadge outcomeBadge(const FileOutcome& o) {
    const std::string code = std::to_string(o.exitCode);
    switch (o.kind) {
    case OutcomeKind::running:
        return {EntryMark::running, "running",
                "Running since " + clock(o.startedClock) + afterTimeouts(o.timeouts) + "."};
    case OutcomeKind::finished:
        return {EntryMark::finished, "finished", "Finished with exit code 0" + tookTime(o) + "."};
    case OutcomeKind::failed:
        return {EntryMark::failed, "exited with code " + code,
                "Exited with code " + code + tookTime(o) + "." +
                    (o.note.empty() ? std::string() : "\nIts last messages:\n" + o.note)};
    case OutcomeKind::stalled:
        return {EntryMark::stalled, "stalled",
                "Ended as stalled (SIZE TIMEOUT): its output did not grow for five minutes;" + tookTime(o) +
                    "."};
    case OutcomeKind::notStarted:
        return {EntryMark::notStarted, "not started", "Not started: " + o.note};
    case OutcomeKind::stopped:
        return {EntryMark::interrupted, "stopped",
                "Stopped while it ran: no longer watched; its program may still be running."};
    case OutcomeKind::aborted:
        return {EntryMark::interrupted, "aborted", "Aborted: its program was ended" + tookTime(o) + "."};
    case OutcomeKind::none:
        break;
    }
    return {};
}

// A few of the names, then how many more.
std::string someNames(const std::vector<std::string>& names) {
    constexpr std::size_t shown = 3;
    std::string text;
    for (std::size_t i = 0; i < names.size() && i < shown; ++i)
        text += (i == 0 ? "" : ", ") + names[i];
    if (names.size() > shown)
        text += " and " + std::to_string(names.size() - shown) + " more";
    return " (" + text + ")";
}

} // namespace

EntryBadge badgeFor(const FileOutcome& outcome, const std::string& outputOf) {
    EntryBadge badge = outcomeBadge(outcome);
    if (outputOf.empty())
        return badge;
    const std::string note = "It is the output of " + outputOf + ", which is in the list too.";
    if (badge.mark == EntryMark::none)
        return {EntryMark::outputOfOther, "output of " + outputOf, note};
    badge.summary += ", output of " + outputOf;
    badge.details += "\n" + note;
    return badge;
}

std::string batchSummary(const std::vector<SummaryFile>& files) {
    int finished = 0;
    int timeouts = 0;
    std::map<std::int32_t, std::vector<std::string>> failedByCode;
    std::map<OutcomeKind, std::vector<std::string>> others;
    for (const SummaryFile& file : files) {
        timeouts += file.timeouts;
        if (file.kind == OutcomeKind::finished)
            ++finished;
        else if (file.kind == OutcomeKind::failed)
            failedByCode[file.exitCode].push_back(file.name);
        else
            others[file.kind].push_back(file.name);
    }
    std::vector<std::string> parts;
    if (finished > 0)
        parts.push_back(std::to_string(finished) + " finished");
    for (const auto& [code, names] : failedByCode)
        parts.push_back(std::to_string(names.size()) + " exited with code " + std::to_string(code) +
                        someNames(names));
    const std::pair<OutcomeKind, const char*> kinds[] = {
        {OutcomeKind::stalled, " stalled"},       {OutcomeKind::notStarted, " not started"},
        {OutcomeKind::stopped, " stopped"},       {OutcomeKind::aborted, " aborted"},
        {OutcomeKind::running, " still running"}, {OutcomeKind::none, " not processed"},
    };
    for (const auto& [kind, words] : kinds)
        if (const auto found = others.find(kind); found != others.end())
            parts.push_back(std::to_string(found->second.size()) + words + someNames(found->second));

    std::string text = counted(static_cast<int>(files.size()), "file", "files");
    for (std::size_t i = 0; i < parts.size(); ++i)
        text += (i == 0 ? ": " : ", ") + parts[i];
    if (timeouts > 0)
        text += "; " + counted(timeouts, "time-out", "time-outs");
    return text;
}

} // namespace quorbin
