#pragma once

#include <optional>
#include <string>

typedef struct _XDisplay Display;

namespace quorbin::test {

// The X server's own view of a top-level window, through a connection of the test's
// own: what a person sees on the screen, whatever the toolkit believes.
class XWindowProbe {
public:
    XWindowProbe() = default;
    ~XWindowProbe() { close(); }
    XWindowProbe(const XWindowProbe&) = delete;
    XWindowProbe& operator=(const XWindowProbe&) = delete;

    bool open(const std::string& displayName);
    void close();

    // A mapped window in pixels: where its client area is on the screen, and how wide.
    struct Shown {
        int left = 0; // the client area's left edge, in root coordinates
        int top = 0;
        int inner = 0;     // the client window's width
        int outer = 0;     // the window manager's frame around it, or the client when unframed
        int outerLeft = 0; // where that frame is, in root coordinates
        int outerTop = 0;
    };
    // None while the window is not on the screen.
    std::optional<Shown> shown(unsigned long window) const;
    bool framed(unsigned long window) const;

    // A person dragging the window's edge: the window manager is asked to size the
    // client, as its pagers and resize handles do.
    void resizeThroughWindowManager(unsigned long window, int innerWidth) const;
    // Without a window manager nobody stands between the server and the window.
    void resizeDirectly(unsigned long window, int innerWidth, int height) const;

private:
    unsigned long topLevelOf(unsigned long window) const;

    Display* display_ = nullptr;
};

} // namespace quorbin::test
