#pragma once

#include <functional>

namespace quorbin {

// The controls whose width follows the window's width.
enum class SizedControl { boxExe, boxCmdLine, boxScript, boxTemplate, boxVcf, listFiles, listLog };

// The main window. All geometry is in twips (1/1440 inch) at the screen's logical DPI,
// measured inside the client area.
//
// Setting the outer width from code runs the resize handler at once, before
// setOuterWidth returns, when the width changes; the window system runs it on every
// other size change (user, minimize, maximize, restore). A minimized window reports an
// inner width of 0.
class Window {
public:
    virtual ~Window() = default;
    virtual int outerWidth() const = 0;
    virtual int innerWidth() const = 0;
    virtual void setOuterWidth(int twips) = 0;
    virtual void moveTo(int left, int top) = 0;
    virtual void setControlWidth(SizedControl control, int twips) = 0;
    // The narrowest outer width the window accepts, and the width of its screen's work
    // area (the screen without the task bars and docks that windows do not cover).
    virtual int minimumOuterWidth() const = 0;
    virtual int screenWidth() const = 0;
    virtual void onResize(std::function<void()> handler) = 0;
    // Runs once the window has closed, before the program ends.
    virtual void onClose(std::function<void()> handler) = 0;
    // Closes the window as its close box does, so the program ends; it may take effect
    // once the handler that called it has returned.
    virtual void close() = 0;
};

} // namespace quorbin
