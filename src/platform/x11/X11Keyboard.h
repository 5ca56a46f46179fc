#pragma once

#include "platform/Keyboard.h"

#include <optional>
#include <string>
#include <utility>

// Xlib's own display type, declared here so that users of the keyboard need no X headers.
struct _XDisplay; // NOLINT(bugprone-reserved-identifier): the name is Xlib's

namespace quorbin {

// Puts Shift presses and releases into the X server's input stream through the XTest
// extension, as if they came from the keyboard.
//
// The display is opened on the first record worth sending and kept open: opening costs
// as much as some thirty-five pulses. Where there is nothing to send to (no display, no
// XTest, or a server that went away) the keyboard stays silent and accepts nothing;
// it never retries a failed open, since a display reached over the network may take
// long to refuse and the pulse runs on the window's thread.
class X11Keyboard final : public Keyboard {
public:
    // Uses the display named by the DISPLAY environment variable.
    X11Keyboard() = default;
    explicit X11Keyboard(std::string displayName) : displayName_(std::move(displayName)) {}
    ~X11Keyboard() override;

    X11Keyboard(const X11Keyboard&) = delete;
    X11Keyboard& operator=(const X11Keyboard&) = delete;

    unsigned sendInput(std::span<const InputRecord> records, int recordSize) override;

    // Called by Xlib when the connection breaks; the keyboard goes silent from then on.
    void connectionLost();

private:
    bool ensureOpen();
    void open();
    void close();
    bool sendShift(bool press);

    std::optional<std::string> displayName_;
    _XDisplay* display_ = nullptr;
    unsigned shiftKeycode_ = 0;
    bool tried_ = false;
    bool lost_ = false;
};

} // namespace quorbin
