#pragma once

#include "platform/Window.h"
#include "platform/win32/ui/Win32MainWindow.h"

namespace quorbin {

// The main window's geometry in twips at the window's DPI. Windows knows a window's
// frame before it is shown, and sends WM_SIZE inside SetWindowPos, so setting the outer
// width runs the resize handler at once. A minimised window reports an inner width of
// 0 and, as its outer width, the width it will have again when restored. The menu bar
// is part of the frame: it changes the height alone.
class Win32Window final : public Window {
public:
    explicit Win32Window(Win32MainWindow& window);

    int outerWidth() const override;
    int innerWidth() const override;
    void setOuterWidth(int twips) override;
    void moveTo(int left, int top) override;
    void setControlWidth(SizedControl control, int twips) override;
    int minimumOuterWidth() const override;
    int screenWidth() const override;
    void onResize(std::function<void()> handler) override;
    void onClose(std::function<void()> handler) override;
    void close() override;

private:
    Win32MainWindow& window_;
};

} // namespace quorbin
