#include "platform/x11/X11Keyboard.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <vector>

namespace quorbin {

namespace {

// Xlib's handler for a broken connection is one for the whole process, and both its
// default and the toolkits' own end the program. A batch runs unattended for hours: the
// keyboard's connection losing its server must cost the pulse, not the batch. So the
// handler is wrapped once: for the keyboards' own displays it returns quietly and the
// per-display exit handler silences that keyboard; every other display goes on to the
// handler that was there before.
std::vector<Display*>& keyboardDisplays() {
    static std::vector<Display*> displays;
    return displays;
}

XIOErrorHandler previousIOErrorHandler = nullptr;
bool ioErrorHandlerInstalled = false;

bool isKeyboardDisplay(Display* display) {
    const auto& displays = keyboardDisplays();
    return std::find(displays.begin(), displays.end(), display) != displays.end();
}

int onConnectionBroken(Display* display) {
    if (isKeyboardDisplay(display))
        return 0;
    return previousIOErrorHandler != nullptr ? previousIOErrorHandler(display) : 0;
}

void onKeyboardConnectionLost(Display*, void* keyboard) {
    static_cast<X11Keyboard*>(keyboard)->connectionLost();
}

void watchConnection(Display* display, X11Keyboard* keyboard) {
    if (!ioErrorHandlerInstalled) {
        previousIOErrorHandler = XSetIOErrorHandler(onConnectionBroken);
        ioErrorHandlerInstalled = true;
    }
    keyboardDisplays().push_back(display);
    XSetIOErrorExitHandler(display, onKeyboardConnectionLost, keyboard);
}

void unwatchConnection(Display* display) {
    auto& displays = keyboardDisplays();
    displays.erase(std::remove(displays.begin(), displays.end(), display), displays.end());
}

bool isShiftRecord(const InputRecord& record) {
    return record.type == inputKeyboard && record.keyboard.virtualKey == virtualKeyShift;
}

} // namespace

X11Keyboard::~X11Keyboard() {
    close();
}

unsigned X11Keyboard::sendInput(std::span<const InputRecord> records, int recordSize) {
    if (recordSize != static_cast<int>(sizeof(InputRecord)))
        return 0;
    unsigned accepted = 0;
    for (const InputRecord& record : records) {
        if (!isShiftRecord(record))
            continue;
        if (!ensureOpen())
            return 0;
        if (sendShift((record.keyboard.flags & keyEventKeyUp) == 0))
            ++accepted;
    }
    if (accepted == 0)
        return 0;
    XFlush(display_);
    // A server that went away takes the records with it.
    return lost_ ? 0 : accepted;
}

void X11Keyboard::connectionLost() {
    lost_ = true;
}

bool X11Keyboard::ensureOpen() {
    if (!tried_) {
        tried_ = true;
        open();
    }
    return display_ != nullptr && !lost_;
}

void X11Keyboard::open() {
    Display* display = XOpenDisplay(displayName_ ? displayName_->c_str() : nullptr);
    if (display == nullptr)
        return;
    display_ = display;
    watchConnection(display, this);
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) {
        close();
        return;
    }
    shiftKeycode_ = XKeysymToKeycode(display, XK_Shift_L);
    // A keymap without a left Shift leaves nothing to press.
    if (shiftKeycode_ == 0)
        close();
}

void X11Keyboard::close() {
    if (display_ == nullptr)
        return;
    unwatchConnection(display_);
    XCloseDisplay(display_);
    display_ = nullptr;
}

bool X11Keyboard::sendShift(bool press) {
    return XTestFakeKeyEvent(display_, shiftKeycode_, press ? True : False, CurrentTime) != 0;
}

} // namespace quorbin
