#include "batch/BatchRecordText.h"

#include <charconv>
#include <sstream>

namespace quorbin {

namespace {

constexpr std::string_view firstLine = "quorbin batch 1";

constexpr std::pair<OutcomeKind, std::string_view> kindNames[] = {
    {OutcomeKind::none, "none"},         {OutcomeKind::running, "running"},
    {OutcomeKind::finished, "finished"}, {OutcomeKind::failed, "failed"},
    {OutcomeKind::stalled, "stalled"},   {OutcomeKind::notStarted, "not-started"},
    {OutcomeKind::stopped, "stopped"},   {OutcomeKind::aborted, "aborted"},
};

std::string_view nameOf(OutcomeKind kind) {
    for (const auto& [k, name] : kindNames)
        if (k == kind)
            return name;
    return "none";
}

bool kindOf(std::string_view name, OutcomeKind& kind) {
    for (const auto& [k, n] : kindNames)
        if (n == name) {
            kind = k;
            return true;
        }
    return false;
}

std::string escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

bool unescaped(std::string_view text, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return false;
        if (text[i] == 'n')
            out += '\n';
        else if (text[i] == 'r')
            out += '\r';
        else if (text[i] == '\\')
            out += '\\';
        else
            return false;
    }
    return true;
}

// Reads the line's words one by one; the rest of the line is the last field.
class Words {
public:
    explicit Words(std::string_view line) : rest_(line) {}

    std::string_view next() {
        const auto blank = rest_.find(' ');
        const std::string_view word = rest_.substr(0, blank);
        rest_ = blank == std::string_view::npos ? std::string_view() : rest_.substr(blank + 1);
        return word;
    }
    template <class Number> bool number(Number& value) {
        const std::string_view word = next();
        const auto result = std::from_chars(word.data(), word.data() + word.size(), value);
        return result.ec == std::errc() && result.ptr == word.data() + word.size() && !word.empty();
    }
    std::string_view rest() const { return rest_; }

private:
    std::string_view rest_;
};

Failure damaged(std::size_t line, const std::string& what) {
    return Failure{"line " + std::to_string(line) + ": " + what};
}

bool readEntry(Words& words, RecordedEntry& entry) {
    const std::string_view tick = words.next();
    if (tick != "+" && tick != "-")
        return false;
    entry.ticked = tick == "+";
    return kindOf(words.next(), entry.kind) && words.number(entry.exitCode) && words.number(entry.timeouts) &&
           words.number(entry.seconds) && unescaped(words.rest(), entry.name) && !entry.name.empty();
}

bool readJob(Words& words, RecordedBatch& batch) {
    if (!words.number(batch.job.id))
        return false;
    return unescaped(words.next(), batch.job.started) && unescaped(words.rest(), batch.jobFile);
}

} // namespace

std::string formatRecord(const RecordedBatch& batch) {
    std::ostringstream out;
    out << firstLine << '\n';
    out << "folder " << escaped(batch.folder) << '\n';
    out << "mode " << static_cast<int>(batch.mode) << '\n';
    out << "cursor " << batch.cursor << '\n';
    out << "job " << batch.job.id << ' ' << (batch.job.started.empty() ? "-" : escaped(batch.job.started))
        << ' ' << escaped(batch.jobFile) << '\n';
    for (const RecordedEntry& e : batch.entries)
        out << "entry " << (e.ticked ? '+' : '-') << ' ' << nameOf(e.kind) << ' ' << e.exitCode << ' '
            << e.timeouts << ' ' << e.seconds << ' ' << escaped(e.name) << '\n';
    out << "end\n";
    return out.str();
}

Result<RecordedBatch> parseRecord(std::string_view text) {
    RecordedBatch batch;
    std::size_t number = 0;
    bool ended = false;
    bool first = true;
    while (!text.empty()) {
        const auto lineEnd = text.find('\n');
        if (lineEnd == std::string_view::npos)
            return damaged(number + 1, "cut off");
        const std::string_view line = text.substr(0, lineEnd);
        text.remove_prefix(lineEnd + 1);
        ++number;
        if (ended)
            return damaged(number, "text after the end");
        if (first) {
            if (line != firstLine)
                return Failure{"not a record of a batch"};
            first = false;
            continue;
        }
        Words words(line);
        const std::string_view key = words.next();
        int mode = -1;
        bool ok = true;
        if (key == "folder") {
            ok = unescaped(words.rest(), batch.folder) && !batch.folder.empty();
        } else if (key == "mode") {
            ok = words.number(mode) && mode >= 0 && mode <= 4;
            batch.mode = static_cast<BatchMode>(mode);
        } else if (key == "cursor") {
            ok = words.number(batch.cursor);
        } else if (key == "job") {
            ok = readJob(words, batch);
            if (batch.job.started == "-")
                batch.job.started.clear();
        } else if (key == "entry") {
            RecordedEntry entry;
            ok = readEntry(words, entry);
            batch.entries.push_back(std::move(entry));
        } else if (key == "end") {
            ended = true;
        } else {
            ok = false;
        }
        if (!ok)
            return damaged(number, "cannot be read");
    }
    if (first)
        return Failure{"empty"};
    if (!ended)
        return damaged(number, "cut off before its end");
    if (batch.folder.empty())
        return Failure{"no folder"};
    return batch;
}

} // namespace quorbin
