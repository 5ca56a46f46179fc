#include "platform/NullKeyboard.h"
#include "platform/x11/SystemKeyboard.h"
#include "platform/x11/X11Keyboard.h"
#include "x11/KeyRecorder.h"
#include "x11/XvfbServer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <ostream>
#include <sys/stat.h>
#include <unistd.h>

namespace quorbin {

namespace test {
// Lets gtest print recorded sequences readably when they differ.
void PrintTo(const KeyEvent& event, std::ostream* out) {
    *out << (event.press ? "press " : "release ") << event.keycode;
}
} // namespace test

namespace {

using namespace std::chrono_literals;
using test::KeyEvent;
using test::KeyRecorder;
using test::XvfbServer;

constexpr auto arrivalTimeout = 5s;
constexpr int recordSize = sizeof(InputRecord);

InputRecord keyRecord(std::uint16_t virtualKey, std::uint32_t flags, std::uint32_t type = inputKeyboard) {
    InputRecord record;
    record.type = type;
    record.keyboard.virtualKey = virtualKey;
    record.keyboard.flags = flags;
    return record;
}

const InputRecord shiftPress = keyRecord(virtualKeyShift, 0);
const InputRecord shiftRelease = keyRecord(virtualKeyShift, keyEventKeyUp);

// The pulse as the tool sends it: two calls of one record each. Returns what each accepted.
std::pair<unsigned, unsigned> sendPulse(Keyboard& keyboard) {
    const unsigned press = keyboard.sendInput({&shiftPress, 1}, recordSize);
    const unsigned release = keyboard.sendInput({&shiftRelease, 1}, recordSize);
    return {press, release};
}

// Sets or clears an environment variable for one test and puts it back afterwards.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        apply(value);
    }
    ~ScopedEnvironment() { apply(old_); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    void apply(const std::optional<std::string>& value) {
        if (value)
            ::setenv(name_.c_str(), value->c_str(), 1);
        else
            ::unsetenv(name_.c_str());
    }
    std::string name_;
    std::optional<std::string> old_;
};

// A display name that no server answers to.
std::string unusedDisplayName() {
    for (int number = 9000;; ++number) {
        struct stat info {};
        if (::lstat(("/tmp/.X11-unix/X" + std::to_string(number)).c_str(), &info) != 0)
            return ":" + std::to_string(number);
    }
}

// Everything written to standard error while it lives, for proving that nothing was said.
class CapturedStderr {
public:
    CapturedStderr() : file_(std::tmpfile()), saved_(::dup(STDERR_FILENO)) {
        std::fflush(stderr);
        ::dup2(::fileno(file_), STDERR_FILENO);
    }
    ~CapturedStderr() {
        restore();
        std::fclose(file_);
    }
    CapturedStderr(const CapturedStderr&) = delete;
    CapturedStderr& operator=(const CapturedStderr&) = delete;

    std::string text() {
        restore();
        std::string text;
        std::rewind(file_);
        for (int c; (c = std::fgetc(file_)) != EOF;)
            text.push_back(static_cast<char>(c));
        return text;
    }

private:
    void restore() {
        if (saved_ < 0)
            return;
        std::fflush(stderr);
        ::dup2(saved_, STDERR_FILENO);
        ::close(saved_);
        saved_ = -1;
    }
    std::FILE* file_;
    int saved_;
};

// ---------------------------------------------------------------------------------------
// Without a server to send to.

struct SilentCase {
    const char* name;
    std::function<std::unique_ptr<Keyboard>()> make;
    std::optional<std::string> display; // the DISPLAY variable during the case
};

TEST(X11KeyboardWithoutServer, AcceptsNothingAndCarriesOn) {
    const std::string unused = unusedDisplayName();
    const std::vector<SilentCase> cases = {
        {"DISPLAY unset", [] { return std::make_unique<X11Keyboard>(); }, std::nullopt},
        {"DISPLAY names no server", [] { return std::make_unique<X11Keyboard>(); }, unused},
        {"DISPLAY is not a display name", [] { return std::make_unique<X11Keyboard>(); }, "nonsense"},
        {"given name of no server", [&] { return std::make_unique<X11Keyboard>(unused); }, std::nullopt},
        {"given name that is no display name", [] { return std::make_unique<X11Keyboard>("nonsense"); },
         std::nullopt},
        {"system keyboard, DISPLAY unset", [] { return makeSystemKeyboard(); }, std::nullopt},
        {"null keyboard", [] { return std::make_unique<NullKeyboard>(); }, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedEnvironment display("DISPLAY", c.display);
        CapturedStderr stderrText;
        auto keyboard = c.make();
        // Twice: the second pulse meets the remembered failure rather than a fresh open.
        for (int pulse = 0; pulse < 2; ++pulse) {
            EXPECT_EQ(sendPulse(*keyboard), std::make_pair(0u, 0u));
            const InputRecord both[] = {shiftPress, shiftRelease};
            EXPECT_EQ(keyboard->sendInput(both, recordSize), 0u);
        }
        keyboard.reset();
        EXPECT_EQ(stderrText.text(), "");
    }
}

TEST(X11KeyboardWithoutServer, AcceptsNothingWhereTheServerHasNoXTest) {
    XvfbServer server;
    ASSERT_TRUE(server.start({"-tst"})) << server.error();
    X11Keyboard keyboard(server.displayName());
    EXPECT_EQ(sendPulse(keyboard), std::make_pair(0u, 0u));
    EXPECT_EQ(sendPulse(keyboard), std::make_pair(0u, 0u));
}

// ---------------------------------------------------------------------------------------
// On a private server, watched by a second client.

class X11KeyboardOnServer : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server_.start()) << server_.error();
        std::string error;
        recorder_ = KeyRecorder::attach(server_.displayName(), error);
        ASSERT_NE(recorder_, nullptr) << error;
    }

    KeyEvent press() const { return {true, recorder_->shiftKeycode()}; }
    KeyEvent release() const { return {false, recorder_->shiftKeycode()}; }

    // Everything that arrived: waits for the count expected, then for a marker key sent
    // behind them, so that an event too many cannot still be on its way. Input from two
    // clients is not ordered, so the marker may only follow once the keyboard's last
    // event has arrived.
    std::vector<KeyEvent> arrived(std::size_t expectedCount) {
        EXPECT_TRUE(recorder_->waitForEvents(expectedCount, arrivalTimeout))
            << "only " << recorder_->events().size() << " of " << expectedCount
            << " events arrived within 5 s";
        bool markerArrived = false;
        auto events = recorder_->takeUntilMarker(arrivalTimeout, markerArrived);
        EXPECT_TRUE(markerArrived) << "the marker key did not arrive within 5 s";
        return events;
    }

    XvfbServer server_;
    std::unique_ptr<KeyRecorder> recorder_;
};

TEST_F(X11KeyboardOnServer, OnePulseArrivesAsOnePressThenOneRelease) {
    X11Keyboard keyboard(server_.displayName());
    EXPECT_EQ(sendPulse(keyboard), std::make_pair(1u, 1u));
    EXPECT_EQ(arrived(2), (std::vector<KeyEvent>{press(), release()}));
}

TEST_F(X11KeyboardOnServer, KeepsSendingOverOneConnection) {
    X11Keyboard keyboard(server_.displayName());
    for (int pulse = 0; pulse < 3; ++pulse) {
        SCOPED_TRACE(pulse);
        EXPECT_EQ(sendPulse(keyboard), std::make_pair(1u, 1u));
        EXPECT_EQ(arrived(2), (std::vector<KeyEvent>{press(), release()}));
    }
}

TEST_F(X11KeyboardOnServer, SystemKeyboardOpensTheDisplayOfItsFirstPulse) {
    // Made while DISPLAY leads nowhere: the display is looked up only when first needed.
    std::unique_ptr<Keyboard> keyboard;
    {
        ScopedEnvironment display("DISPLAY", unusedDisplayName());
        keyboard = makeSystemKeyboard();
    }
    ScopedEnvironment display("DISPLAY", server_.displayName());
    EXPECT_EQ(sendPulse(*keyboard), std::make_pair(1u, 1u));
    EXPECT_EQ(arrived(2), (std::vector<KeyEvent>{press(), release()}));
}

struct RecordCase {
    const char* name;
    std::vector<InputRecord> records;
    int size;
    unsigned accepted;
    std::vector<bool> sent; // press (true) or release (false), in order
};

TEST_F(X11KeyboardOnServer, SendsShiftRecordsOnlyAndOnlyAtTheRecordSize) {
    const InputRecord otherKey = keyRecord(65, 0);
    const InputRecord mouse = keyRecord(virtualKeyShift, 0, 0);
    const InputRecord hardware = keyRecord(virtualKeyShift, 0, 2);
    const std::vector<RecordCase> cases = {
        // The server ignores a press of a key that is down and a release of one that is up,
        // so every case that sends leaves Shift up again.
        {"press and release in one call", {shiftPress, shiftRelease}, recordSize, 2, {true, false}},
        {"other flag bits leave press and release",
         {keyRecord(virtualKeyShift, 1), keyRecord(virtualKeyShift, 8 | keyEventKeyUp)},
         recordSize,
         2,
         {true, false}},
        {"another key", {otherKey}, recordSize, 0, {}},
        {"a mouse record", {mouse}, recordSize, 0, {}},
        {"a hardware record", {hardware}, recordSize, 0, {}},
        {"mixed records", {otherKey, shiftPress, mouse, shiftRelease}, recordSize, 2, {true, false}},
        {"no records", {}, recordSize, 0, {}},
        {"record size one short", {shiftPress}, recordSize - 1, 0, {}},
        {"record size of a 64-bit layout", {shiftPress}, 40, 0, {}},
        {"record size zero", {shiftPress, shiftRelease}, 0, 0, {}},
        {"record size negative", {shiftPress}, -28, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        X11Keyboard keyboard(server_.displayName());
        EXPECT_EQ(keyboard.sendInput(c.records, c.size), c.accepted);
        // A pulse after the case, over the same connection, arrives after whatever the
        // case sent, so nothing from the case can still be on its way at the marker.
        EXPECT_EQ(sendPulse(keyboard), std::make_pair(1u, 1u));
        std::vector<KeyEvent> expected;
        for (bool isPress : c.sent)
            expected.push_back(isPress ? press() : release());
        expected.push_back(press());
        expected.push_back(release());
        EXPECT_EQ(arrived(expected.size()), expected);
    }
}

TEST(X11KeyboardLosingServer, GoesSilentWithoutEndingTheProgram) {
    XvfbServer server;
    ASSERT_TRUE(server.start()) << server.error();
    auto keyboard = std::make_unique<X11Keyboard>(server.displayName());
    ASSERT_EQ(sendPulse(*keyboard), std::make_pair(1u, 1u));
    server.stop();

    CapturedStderr stderrText;
    // Xlib's default answer to a broken connection is to end the process: reaching the
    // expectations at all is half of the test.
    EXPECT_EQ(sendPulse(*keyboard), std::make_pair(0u, 0u));
    EXPECT_EQ(sendPulse(*keyboard), std::make_pair(0u, 0u));
    keyboard.reset();
    EXPECT_EQ(stderrText.text(), "");
}

} // namespace
} // namespace quorbin
