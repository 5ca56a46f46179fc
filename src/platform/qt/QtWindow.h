#pragma once

#include "platform/Window.h"
#include "platform/qt/QtMainWindow.h"

namespace quorbin {

// The main window's geometry in twips at the screen's logical DPI.
//
// The outer width adds the frame that the platform window reports: Qt knows the frame
// of a shown window only, but the platform window (created early for this) knows its
// margins before the window is first shown, when start-up restores the width.
//
// Qt delivers the resize event of a hidden window only when the window is shown, so
// setOuterWidth runs the resize handler itself when the event did not come during the
// resize; the late event that follows at show runs the handler once more, which lays
// out the same widths again.
class QtWindow final : public Window {
public:
    explicit QtWindow(QtMainWindow& window);

    int outerWidth() const override;
    int innerWidth() const override;
    void setOuterWidth(int twips) override;
    void moveTo(int left, int top) override;
    void setControlWidth(SizedControl control, int twips) override;
    int minimumOuterWidth() const override;
    int screenWidth() const override;
    void onResize(std::function<void()> handler) override { handler_ = std::move(handler); }

private:
    double dpi() const;
    int frameWidthPixels() const;
    int outerWidthPixels() const;
    void sizeChanged();

    QtMainWindow& window_;
    std::function<void()> handler_;
    unsigned sizeChanges_ = 0;
};

} // namespace quorbin
