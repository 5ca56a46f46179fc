#pragma once

#include "platform/Window.h"
#include "platform/qt/QtMainWindow.h"

#include <QObject>

#include <functional>
#include <optional>

namespace quorbin {

// The main window's geometry in twips at the screen's logical DPI.
//
// The outer width adds the frame that the platform window reports. Some platforms know
// the frame of a window before it is shown (the platform window is created early for
// them); on X11 it is 0 until the window manager has framed the shown window. An outer
// width set while the frame is 0 is therefore remembered: until the frame is known the
// window counts its frame as 0, so it reports the width it was asked for, and once the
// frame is known the width is set again with it, right after the event that showed it
// (one resize, whose handler stores the right width). A platform without frames never
// reports one, and nothing is set again there. A resize from elsewhere before that (the
// user's, the window manager's own) drops the request.
//
// Qt delivers the resize event of a hidden window only when the window is shown, so
// setOuterWidth runs the resize handler itself when the event did not come during the
// resize; the late event that follows at show runs the handler once more, which lays
// out the same widths again.
class QtWindow final : public Window {
public:
    explicit QtWindow(QtMainWindow& window);
    ~QtWindow() override;
    QtWindow(const QtWindow&) = delete;
    QtWindow& operator=(const QtWindow&) = delete;

    int outerWidth() const override;
    int innerWidth() const override;
    void setOuterWidth(int twips) override;
    void moveTo(int left, int top) override;
    void setControlWidth(SizedControl control, int twips) override;
    int minimumOuterWidth() const override;
    int screenWidth() const override;
    void onResize(std::function<void()> handler) override { handler_ = std::move(handler); }
    void onClose(std::function<void()> handler) override { window_.onClose(std::move(handler)); }
    void close() override;

private:
    // Tells the window when an event of the main window may have come with its frame.
    class FrameWatch final : public QObject {
    public:
        explicit FrameWatch(std::function<void()> check) : check_(std::move(check)) {}
        bool eventFilter(QObject* watched, QEvent* event) override;

    private:
        std::function<void()> check_;
    };

    // An outer width asked for while the frame was not known yet.
    struct AwaitedFrame {
        int outerTwips;
        int innerPixels; // the inner width set for it, with a frame of 0
    };

    double dpi() const;
    int frameWidthPixels() const;
    int countedFrameWidthPixels() const;
    int innerWidthFor(int outerTwips, int framePixels) const;
    void resizeInner(int inner);
    void awaitFrame(AwaitedFrame awaited);
    void stopAwaitingFrame();
    void checkFrame();
    void applyWithFrame();
    void sizeChanged();

    QtMainWindow& window_;
    std::function<void()> handler_;
    unsigned sizeChanges_ = 0;
    std::optional<AwaitedFrame> awaited_;
    bool frameSeen_ = false; // and setting the width again with it is on its way
    FrameWatch frameWatch_{[this] { checkFrame(); }};
};

} // namespace quorbin
