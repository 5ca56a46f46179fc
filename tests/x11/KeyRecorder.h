#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

struct _XDisplay;

namespace quorbin::test {

// One key event as the server delivered it to the devices.
struct KeyEvent {
    bool press = false;
    unsigned keycode = 0;
    bool operator==(const KeyEvent&) const = default;
};

// Watches every key press and release on one X display through the RECORD extension,
// from a client of its own, the way another program on the desktop would see them.
class KeyRecorder {
public:
    // Connects and starts recording; returns null and says why in error on failure.
    static std::unique_ptr<KeyRecorder> attach(const std::string& displayName, std::string& error);
    ~KeyRecorder();
    KeyRecorder(const KeyRecorder&) = delete;
    KeyRecorder& operator=(const KeyRecorder&) = delete;

    unsigned shiftKeycode() const { return shiftKeycode_; }

    // Waits until at least count events have arrived; false when the deadline passed first.
    bool waitForEvents(std::size_t count, std::chrono::milliseconds timeout);

    // Presses and releases a marker key from this client and waits until its release
    // arrives. Input is handled in order, so everything injected before the marker has
    // been recorded by then. Returns the events before the marker, and forgets them all.
    std::vector<KeyEvent> takeUntilMarker(std::chrono::milliseconds timeout, bool& markerArrived);

    const std::vector<KeyEvent>& events() const { return events_; }

    // Called back by RECORD for each piece of the recording.
    void startOfData() { started_ = true; }
    void deviceEvent(const unsigned char* wireEvent);

private:
    KeyRecorder() = default;
    bool connect(const std::string& displayName, std::string& error);
    void nudgeServer();
    template <class Done> bool processUntil(Done done, std::chrono::milliseconds timeout);

    _XDisplay* control_ = nullptr;
    _XDisplay* data_ = nullptr;
    unsigned long context_ = 0;
    unsigned shiftKeycode_ = 0;
    unsigned markerKeycode_ = 0;
    bool started_ = false;
    std::vector<KeyEvent> events_;
};

} // namespace quorbin::test
