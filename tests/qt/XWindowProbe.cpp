#include "qt/XWindowProbe.h"

#include <X11/Xlib.h>

namespace quorbin::test {

namespace {

// _NET_MOVERESIZE_WINDOW: only the width is given, and the request comes from the user.
constexpr long widthGiven = 1L << 10;
constexpr long fromUser = 2L << 12;

int outerWidthOf(const XWindowAttributes& attributes) {
    return attributes.width + 2 * attributes.border_width;
}

} // namespace

bool XWindowProbe::open(const std::string& displayName) {
    close();
    display_ = XOpenDisplay(displayName.c_str());
    return display_ != nullptr;
}

void XWindowProbe::close() {
    if (display_ != nullptr)
        XCloseDisplay(display_);
    display_ = nullptr;
}

// The ancestor of window that is a child of the root: the manager's frame, or the
// window itself when nobody reparented it.
unsigned long XWindowProbe::topLevelOf(unsigned long window) const {
    ::Window current = window;
    for (;;) {
        ::Window root = 0;
        ::Window parent = 0;
        ::Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display_, current, &root, &parent, &children, &count))
            return current;
        if (children != nullptr)
            XFree(children);
        if (parent == root || parent == 0)
            return current;
        current = parent;
    }
}

bool XWindowProbe::framed(unsigned long window) const {
    return topLevelOf(window) != window;
}

std::optional<XWindowProbe::Shown> XWindowProbe::shown(unsigned long window) const {
    XWindowAttributes client{};
    XWindowAttributes top{};
    if (!XGetWindowAttributes(display_, window, &client) || client.map_state != IsViewable)
        return std::nullopt;
    // A child of the root: its position is in root coordinates.
    if (!XGetWindowAttributes(display_, topLevelOf(window), &top))
        return std::nullopt;
    int left = 0;
    int upper = 0;
    ::Window child = 0;
    if (!XTranslateCoordinates(display_, window, client.root, 0, 0, &left, &upper, &child))
        return std::nullopt;
    return Shown{left, upper, client.width, outerWidthOf(top), top.x, top.y};
}

void XWindowProbe::resizeThroughWindowManager(unsigned long window, int innerWidth) const {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "_NET_MOVERESIZE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = widthGiven | fromUser;
    event.xclient.data.l[3] = innerWidth;
    XSendEvent(display_, DefaultRootWindow(display_), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display_);
}

void XWindowProbe::resizeDirectly(unsigned long window, int innerWidth, int height) const {
    XResizeWindow(display_, window, static_cast<unsigned>(innerWidth), static_cast<unsigned>(height));
    XFlush(display_);
}

} // namespace quorbin::test
