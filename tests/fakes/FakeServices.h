#pragma once

#include "platform/BatchRecords.h"
#include "platform/Choice.h"
#include "platform/Clock.h"
#include "platform/CountdownBox.h"
#include "platform/FileDialog.h"
#include "platform/FileOpener.h"
#include "platform/FileSystem.h"
#include "platform/KeepAwake.h"
#include "platform/Keyboard.h"
#include "platform/MessageBox.h"
#include "platform/Notifier.h"
#include "platform/PowerActions.h"
#include "platform/ProcessControl.h"
#include "platform/SettingsStore.h"
#include "platform/TaskbarProgress.h"
#include "platform/TextCodec.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace quorbin::test {

// A path written with '/' as the platform's own dialogs and calls give it back.
inline std::string native(std::string path) {
    std::replace(path.begin(), path.end(), '/', pathSeparator);
    return path;
}

// The system clock by hand: the wall clock's seconds since local midnight, wrapping at
// midnight, and the steady seconds of the time that passed.
class FakeClock : public Clock {
public:
    explicit FakeClock(double secondsSinceMidnight = 12 * 3600.0) : now_(secondsSinceMidnight) {}
    double timerSeconds() const override { return now_; }
    TimeOfDay timeOfDay() const override {
        const auto whole = static_cast<int>(std::floor(now_));
        return {whole / 3600, whole / 60 % 60, whole % 60};
    }
    double steadySeconds() const override { return steady_; }

    // Time passes until the wall clock shows this time of day (through midnight if it
    // is earlier than now).
    void set(double secondsSinceMidnight) {
        advance(std::fmod(secondsSinceMidnight - now_ + 86400.0, 86400.0));
    }
    void set(int h, int m, double s) { set(h * 3600.0 + m * 60.0 + s); }
    void advance(double seconds) {
        now_ = std::fmod(now_ + seconds, 86400.0);
        steady_ += seconds;
    }
    // The wall clock is changed (by hand, daylight saving, a night asleep) while no
    // time passes on the steady clock.
    void setWallClock(double secondsSinceMidnight) { now_ = secondsSinceMidnight; }

private:
    double now_;
    double steady_ = 1000;
};

// Processes by script: the test decides when each one ends and with what code.
class FakeProcesses : public ProcessControl {
public:
    struct Process {
        LaunchRequest request;
        ProcessStatus status = stillRunning;
        bool released = false;
        std::string output; // written and not taken yet
    };

    Result<ProcessHandle> launch(const LaunchRequest& request) override {
        launches.push_back(request);
        if (onLaunch)
            onLaunch(request);
        if (failLaunch)
            return Failure{"The program " + request.file +
                           " could not be started: No such file or directory"};
        const ProcessHandle handle = nextHandle++;
        processes[handle] = Process{request, stillRunning, false, {}};
        return handle;
    }
    Result<ProcessStatus> exitCode(ProcessHandle handle) override {
        ++exitQueries;
        if (onExitQuery)
            onExitQuery(handle);
        if (failExitQuery)
            return Failure{"The exit code cannot be read"};
        const auto found = processes.find(handle);
        if (found == processes.end())
            return Failure{"No process has the handle " + std::to_string(handle)};
        return found->second.status;
    }
    bool terminate(ProcessHandle handle) override {
        terminated.push_back(handle);
        if (onTerminate)
            onTerminate(handle);
        const auto found = processes.find(handle);
        if (found == processes.end() || !found->second.status.running)
            return false;
        found->second.status = endedWith(0);
        return true;
    }
    void release(ProcessHandle handle) override {
        releasedHandles.push_back(handle);
        if (auto found = processes.find(handle); found != processes.end())
            found->second.released = true;
    }
    ProcessIdentity identity(ProcessHandle handle) override {
        return processes.count(handle) ? ProcessIdentity{handle, "t" + std::to_string(handle)}
                                       : ProcessIdentity{};
    }
    // Jobs left by another instance: running while listed here under their start.
    bool isRunning(const ProcessIdentity& job) override {
        const auto found = leftovers.find(job.id);
        return found != leftovers.end() && found->second == job.started;
    }
    Result<void> endLeftover(const ProcessIdentity& job) override {
        if (!isRunning(job))
            return Failure{"No process " + std::to_string(job.id) + " started at " + job.started + " runs."};
        leftovers.erase(job.id);
        endedLeftovers.push_back(job.id);
        return Ok{};
    }
    std::string takeOutput(ProcessHandle handle) override {
        const auto found = processes.find(handle);
        if (found == processes.end())
            return {};
        return std::exchange(found->second.output, std::string());
    }
    // The program writes to its standard output or error.
    void say(ProcessHandle handle, const std::string& bytes) { processes.at(handle).output += bytes; }

    void exit(ProcessHandle handle, std::uint32_t code) { processes.at(handle).status = endedWith(code); }
    bool running(ProcessHandle handle) const {
        const auto found = processes.find(handle);
        return found != processes.end() && found->second.status.running;
    }

    std::map<ProcessHandle, Process> processes;
    std::vector<LaunchRequest> launches;
    // Runs inside every launch, failed ones too: a test looks at what the processing
    // program would find at the moment it starts.
    std::function<void(const LaunchRequest&)> onLaunch;
    // Run at the start of every exit-code query and every termination: a test throws
    // from them to see that a failing platform call cannot break the timer tick.
    std::function<void(ProcessHandle)> onExitQuery;
    std::function<void(ProcessHandle)> onTerminate;
    std::vector<ProcessHandle> terminated;
    std::vector<ProcessHandle> releasedHandles;
    std::map<std::int64_t, std::string> leftovers; // id -> start
    std::vector<std::int64_t> endedLeftovers;
    // Set back by a test to hand out a handle again, as an ended process's id comes back.
    ProcessHandle nextHandle = 4001;
    bool failLaunch = false;
    bool failExitQuery = false;
    int exitQueries = 0;
};

// Files in memory. Relative paths resolve in the current directory; a path listed in
// `folders` is a folder, so writing a file there fails as it would on disk. As on
// Windows, '/' separates folders as well as the platform's separator does: the fake
// keeps every path, cwd included, written with '/'.
class FakeFileSystem : public FileSystem {
public:
    Result<void> remove(const std::string& path) override {
        removed.push_back(resolve(path));
        const bool hadSize = sizes.erase(resolve(path)) > 0;
        if (files.erase(resolve(path)) > 0 || hadSize)
            return Ok{};
        return Failure{"Cannot delete \"" + path + "\": No such file or directory"};
    }
    Result<std::int64_t> length(const std::string& path) const override {
        const std::string full = resolve(path);
        if (const auto big = sizes.find(full); big != sizes.end())
            return big->second;
        const auto found = files.find(full);
        if (found == files.end())
            return Failure{"Cannot measure \"" + path + "\": No such file or directory"};
        return static_cast<std::int64_t>(found->second.size());
    }
    Result<void> setCurrentDirectory(const std::string& path) override {
        const std::string written = slashed(path);
        if (!folders.count(written) && !folders.count(withSeparator(written)))
            return Failure{"Cannot enter \"" + path + "\": No such file or directory"};
        cwd = withSeparator(written);
        return Ok{};
    }
    Result<std::string> readAll(const std::string& path) const override {
        const auto found = files.find(resolve(path));
        if (found == files.end())
            return Failure{"Cannot open \"" + path + "\": No such file or directory"};
        return found->second;
    }
    Result<void> writeAll(const std::string& path, const std::string& bytes) override {
        if (!writable(path))
            return Failure{"Cannot write \"" + path + "\": Is a directory"};
        files[resolve(path)] = bytes;
        return Ok{};
    }
    Result<void> replaceAll(const std::string& path, const std::string& bytes) override {
        return writeAll(path, bytes);
    }
    Result<void> append(const std::string& path, const std::string& bytes) override {
        if (!writable(path) || failAppend)
            return Failure{"Cannot append to \"" + path + "\""};
        files[resolve(path)] += bytes;
        return Ok{};
    }

    // Sets a length without holding the bytes, for outputs of many gigabytes.
    void setLength(const std::string& path, std::int64_t bytes) { sizes[resolve(path)] = bytes; }
    std::string resolve(const std::string& path) const {
        const std::string written = slashed(path);
        return !written.empty() && written.front() == '/' ? written : cwd + written;
    }
    bool exists(const std::string& path) const {
        return files.count(resolve(path)) || sizes.count(resolve(path));
    }
    std::string read(const std::string& path) const {
        const auto found = files.find(resolve(path));
        return found == files.end() ? std::string() : found->second;
    }

    std::map<std::string, std::string> files;
    std::map<std::string, std::int64_t> sizes;
    std::set<std::string> folders{"/"};
    std::vector<std::string> removed;
    std::string cwd = "/";
    bool failAppend = false;

private:
    static std::string slashed(std::string path) {
        std::replace(path.begin(), path.end(), pathSeparator, '/');
        return path;
    }
    static std::string withSeparator(const std::string& path) {
        return !path.empty() && path.back() == '/' ? path : path + "/";
    }
    bool writable(const std::string& path) const {
        const std::string full = resolve(path);
        if (folders.count(full) || folders.count(withSeparator(full)))
            return false;
        const auto cut = full.find_last_of('/');
        return folders.count(full.substr(0, cut + 1)) > 0;
    }
};

// The settings store in memory, with every write kept in order.
class FakeSettingsStore : public SettingsStore {
public:
    std::optional<std::string> read(const std::string& section, const std::string& key) const override {
        const auto found = values.find({section, key});
        if (found == values.end())
            return std::nullopt;
        return found->second;
    }
    Result<void> write(const std::string& section, const std::string& key,
                       const std::string& value) override {
        writes.emplace_back(section, key, value);
        if (failWrites)
            return Failure{"The settings cannot be written"};
        values[{section, key}] = value;
        return Ok{};
    }

    std::map<std::pair<std::string, std::string>, std::string> values;
    std::vector<std::tuple<std::string, std::string, std::string>> writes;
    bool failWrites = false;
};

// Answers each showing of the dialog with the next scripted answer (a cancel when none
// is left) and keeps every request.
class FakeFileDialog : public FileDialog {
public:
    using Answer = Result<std::vector<std::string>>;

    Answer open(const OpenFileRequest& request) override {
        requests.push_back(request);
        if (answers.empty())
            return std::vector<std::string>();
        Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void choose(std::vector<std::string> paths) { answers.emplace_back(std::move(paths)); }
    void cancel() { answers.emplace_back(std::vector<std::string>()); }
    void fail(std::string error) { answers.emplace_back(Failure{std::move(error)}); }

    std::deque<Answer> answers;
    std::vector<OpenFileRequest> requests;
};

class FakeMessageBox : public MessageBox {
public:
    struct Shown {
        std::string text;
        std::string title;
    };
    void show(const std::string& text, const std::string& title) override {
        shown.push_back({text, title});
        if (whileShown)
            whileShown();
    }
    // Answers with the next scripted answer, No when none is left.
    bool ask(const std::string& text, const std::string& title) override {
        asked.push_back({text, title});
        if (answers.empty())
            return false;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
    std::vector<Shown> shown;
    std::vector<Shown> asked;
    std::deque<bool> answers;
    // Runs while the box is open, as the window system's modal loop would run timer ticks.
    std::function<void()> whileShown;
};

// Keeps every call with the records it was handed.
class FakeKeyboard : public Keyboard {
public:
    struct Call {
        std::vector<InputRecord> records;
        int recordSize = 0;
    };
    unsigned sendInput(std::span<const InputRecord> records, int recordSize) override {
        calls.push_back({{records.begin(), records.end()}, recordSize});
        if (onSend)
            onSend();
        if (rejectNext > 0) {
            --rejectNext;
            return 0;
        }
        return static_cast<unsigned>(records.size());
    }
    std::vector<Call> calls;
    int rejectNext = 0;
    // Run at every call: a test throws from it to see that a failing keyboard cannot
    // break the timer tick.
    std::function<void()> onSend;
};

// Keeps every call in order: "hold <reason>" or "release".
class FakeKeepAwake : public KeepAwake {
public:
    void hold(const std::string& reason) override {
        calls.push_back("hold " + reason);
        held = true;
    }
    void release() override {
        calls.push_back("release");
        held = false;
    }
    std::vector<std::string> calls;
    bool held = false;
};

// The text of files as a system whose programs read UTF-8 and whose 8-bit files are
// Latin-1. A test names characters (UTF-8) that the programs' code page lacks, and the
// other names of files that the code page can carry.
class FakeTextCodec : public TextCodec {
public:
    Result<std::string> programBytes(std::string_view text) const override {
        for (const std::string& character : lacking)
            if (text.find(character) != std::string_view::npos)
                return Failure{"the code page lacks \"" + character + "\""};
        return std::string(text);
    }
    std::string programBytesOrMarks(std::string_view text) const override {
        std::string marked(text);
        for (const std::string& character : lacking)
            for (auto at = marked.find(character); at != std::string::npos; at = marked.find(character, at))
                marked.replace(at, character.size(), "?");
        return marked;
    }
    Result<std::string> programName(const std::string& path) const override {
        if (programBytes(path))
            return path;
        const auto found = otherNames.find(path);
        if (found == otherNames.end())
            return Failure{"\"" + path + "\" has no other name"};
        return found->second;
    }
    std::string textFrom8Bit(std::string_view bytes) const override {
        std::string text;
        for (const char c : bytes) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte < 0x80) {
                text += c;
            } else {
                text += static_cast<char>(0xC0 | (byte >> 6));
                text += static_cast<char>(0x80 | (byte & 0x3F));
            }
        }
        return text;
    }
    Result<std::string> textTo8Bit(std::string_view text) const override {
        std::string bytes;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto lead = static_cast<unsigned char>(text[i]);
            if (lead < 0x80)
                bytes += text[i];
            else if ((lead == 0xC2 || lead == 0xC3) && i + 1 < text.size())
                bytes +=
                    static_cast<char>(((lead & 0x03) << 6) | (static_cast<unsigned char>(text[++i]) & 0x3F));
            else
                return Failure{"Latin-1 lacks a character of the text"};
        }
        return bytes;
    }

    std::vector<std::string> lacking;
    std::map<std::string, std::string> otherNames;
};

// The desktop around the window: every word, progress and request it was handed.
class FakeNotifier : public Notifier {
public:
    struct Note {
        std::string title;
        std::string text;
    };
    void notify(const std::string& title, const std::string& text) override {
        notes.push_back({title, text});
    }
    std::vector<Note> notes;
};

// Keeps what the taskbar shows now: "3/12", "3/12 paused", or "" when nothing.
class FakeTaskbar : public TaskbarProgress {
public:
    void show(int done, int total, bool paused) override {
        shown = std::to_string(done) + "/" + std::to_string(total) + (paused ? " paused" : "");
        history.push_back(shown);
    }
    void clear() override {
        shown.clear();
        history.push_back(shown);
    }
    std::string shown;
    std::vector<std::string> history;
};

// Keeps every request; answers at once with `answer`, or holds the answer until the test
// calls answerNow() when `later` is set.
class FakePowerActions : public PowerActions {
public:
    void suspend(Done done) override { request("suspend", std::move(done)); }
    void powerOff(Done done) override { request("power off", std::move(done)); }
    void answerNow() {
        Done done = std::exchange(waiting_, Done());
        if (done)
            done(answer);
    }
    std::vector<std::string> requests;
    Result<void> answer = Ok{};
    bool later = false;

private:
    void request(const std::string& what, Done done) {
        requests.push_back(what);
        waiting_ = std::move(done);
        if (!later)
            answerNow();
    }
    Done waiting_;
};

class FakeFileOpener : public FileOpener {
public:
    Result<void> open(const std::string& path) override {
        opened.push_back(path);
        return answer;
    }
    std::vector<std::string> opened;
    Result<void> answer = Ok{};
};

// The countdown box: its text while open, empty when closed; cancel() stands for the
// user's Cancel.
class FakeCountdownBox : public CountdownBox {
public:
    void show(const std::string& text) override { shown = text; }
    void close() override { shown.clear(); }
    void onCancel(std::function<void()> handler) override { handler_ = std::move(handler); }
    void cancel() {
        shown.clear();
        if (handler_)
            handler_();
    }
    std::string shown;

private:
    std::function<void()> handler_;
};

class FakeChoice : public Choice {
public:
    int chosen() const override { return chosen_; }
    void setChosen(int item) override { chosen_ = item; }
    void onChoose(std::function<void(int)> handler) override { handler_ = std::move(handler); }
    // The user picks an item.
    void choose(int item) {
        chosen_ = item;
        if (handler_)
            handler_(item);
    }

private:
    int chosen_ = 0;
    std::function<void(int)> handler_;
};

// The records in memory, the most recently saved first; a save can be made to fail.
class FakeBatchRecords : public BatchRecords {
public:
    Result<void> save(const std::string& folder, const std::string& text) override {
        ++saves;
        if (failSave)
            return Failure{"No space left on device"};
        forget(folder);
        records.insert(records.begin(), {folder, text});
        return Ok{};
    }
    void forget(const std::string& folder) override {
        std::erase_if(records, [&](const auto& r) { return r.first == folder; });
    }
    std::vector<std::string> all() const override {
        std::vector<std::string> texts;
        for (const auto& record : records)
            texts.push_back(record.second);
        return texts;
    }
    std::string of(const std::string& folder) const {
        for (const auto& record : records)
            if (record.first == folder)
                return record.second;
        return {};
    }
    std::vector<std::pair<std::string, std::string>> records;
    int saves = 0;
    bool failSave = false;
};

// Folders claimed by this instance, and those another running instance holds.
class FakeFolderClaims : public FolderClaims {
public:
    Result<void> claim(const std::string& folder) override {
        if (elsewhere.count(folder))
            return Failure{"held by process 99"};
        held.insert(folder);
        return Ok{};
    }
    void release(const std::string& folder) override { held.erase(folder); }
    bool claimedElsewhere(const std::string& folder) const override { return elsewhere.count(folder) > 0; }
    std::set<std::string> held;
    std::set<std::string> elsewhere;
};

} // namespace quorbin::test
