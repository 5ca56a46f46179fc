#include "x11/KeyRecorder.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/record.h>
#include <X11/keysym.h>

#include <algorithm>
#include <poll.h>

namespace quorbin::test {

namespace {

using Clock = std::chrono::steady_clock;

// The reply stream arrives on the data connection; waiting on its socket wakes us as
// soon as something is there, and the slice bounds how long one wait runs before the
// server is nudged again.
constexpr int pollSliceMs = 20;

void onData(XPointer closure, XRecordInterceptData* data) {
    auto* recorder = reinterpret_cast<KeyRecorder*>(closure);
    if (data->category == XRecordStartOfData)
        recorder->startOfData();
    else if (data->category == XRecordFromServer && data->data != nullptr && data->data_len > 0)
        recorder->deviceEvent(data->data);
    XRecordFreeData(data);
}

} // namespace

std::unique_ptr<KeyRecorder> KeyRecorder::attach(const std::string& displayName, std::string& error) {
    std::unique_ptr<KeyRecorder> recorder(new KeyRecorder);
    if (!recorder->connect(displayName, error))
        return nullptr;
    return recorder;
}

bool KeyRecorder::connect(const std::string& displayName, std::string& error) {
    control_ = XOpenDisplay(displayName.c_str());
    data_ = XOpenDisplay(displayName.c_str());
    if (control_ == nullptr || data_ == nullptr) {
        error = "cannot open display " + displayName;
        return false;
    }
    int major = 0, minor = 0;
    if (!XRecordQueryVersion(control_, &major, &minor)) {
        error = "no RECORD extension on " + displayName;
        return false;
    }
    shiftKeycode_ = XKeysymToKeycode(control_, XK_Shift_L);
    markerKeycode_ = XKeysymToKeycode(control_, XK_a);
    if (shiftKeycode_ == 0 || markerKeycode_ == 0) {
        error = "the keymap lacks Shift_L or a";
        return false;
    }

    XRecordRange* range = XRecordAllocRange();
    range->device_events.first = KeyPress;
    range->device_events.last = KeyRelease;
    XRecordClientSpec clients = XRecordAllClients;
    context_ = XRecordCreateContext(control_, 0, &clients, 1, &range, 1);
    XFree(range);
    XSync(control_, False);
    if (context_ == 0 ||
        !XRecordEnableContextAsync(data_, context_, onData, reinterpret_cast<XPointer>(this))) {
        error = "cannot start recording";
        return false;
    }
    XFlush(data_);
    // Input sent before the server starts the recording would be missed.
    if (!processUntil([this] { return started_; }, std::chrono::seconds(5))) {
        error = "the recording did not start within 5 s";
        return false;
    }
    XSync(control_, False);
    return true;
}

KeyRecorder::~KeyRecorder() {
    if (control_ != nullptr && context_ != 0) {
        XRecordDisableContext(control_, context_);
        XRecordFreeContext(control_, context_);
        XSync(control_, False);
    }
    if (data_ != nullptr)
        XCloseDisplay(data_);
    if (control_ != nullptr)
        XCloseDisplay(control_);
}

void KeyRecorder::deviceEvent(const unsigned char* wireEvent) {
    const int type = wireEvent[0] & 0x7f;
    if (type == KeyPress || type == KeyRelease)
        events_.push_back({type == KeyPress, wireEvent[1]});
}

// The server hands recorded input to the recording client only when it next flushes its
// output to clients, and input injected with a mere flush (as the keyboard does) causes
// no flush: without a round trip from someone the recording can lag indefinitely.
void KeyRecorder::nudgeServer() {
    if (started_)
        XSync(control_, False);
}

template <class Done> bool KeyRecorder::processUntil(Done done, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        nudgeServer();
        XRecordProcessReplies(data_);
        if (done())
            return true;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return false;
        pollfd socket{ConnectionNumber(data_), POLLIN, 0};
        ::poll(&socket, 1, static_cast<int>(std::min<long long>(left.count(), pollSliceMs)));
    }
}

bool KeyRecorder::waitForEvents(std::size_t count, std::chrono::milliseconds timeout) {
    return processUntil([&] { return events_.size() >= count; }, timeout);
}

std::vector<KeyEvent> KeyRecorder::takeUntilMarker(std::chrono::milliseconds timeout, bool& markerArrived) {
    XTestFakeKeyEvent(control_, markerKeycode_, True, CurrentTime);
    XTestFakeKeyEvent(control_, markerKeycode_, False, CurrentTime);
    XSync(control_, False);
    const KeyEvent markerRelease{false, markerKeycode_};
    auto markerAt = events_.end();
    markerArrived = processUntil(
        [&] {
            markerAt = std::find(events_.begin(), events_.end(), markerRelease);
            return markerAt != events_.end();
        },
        timeout);
    std::vector<KeyEvent> before(events_.begin(), markerAt);
    // The marker's own press comes just before its release.
    const KeyEvent markerPress{true, markerKeycode_};
    if (markerArrived && !before.empty() && before.back() == markerPress)
        before.pop_back();
    events_.clear();
    return before;
}

} // namespace quorbin::test
