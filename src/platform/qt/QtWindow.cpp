#include "platform/qt/QtWindow.h"

#include "platform/qt/TwipsConversion.h"

#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace quorbin {

QtWindow::QtWindow(QtMainWindow& window) : window_(window) {
    window_.onSizeChange([this] { sizeChanged(); });
}

double QtWindow::dpi() const {
    return window_.logicalDpiX();
}

int QtWindow::frameWidthPixels() const {
    const QWindow* handle = window_.windowHandle();
    if (!handle)
        return 0;
    const QMargins frame = handle->frameMargins();
    return frame.left() + frame.right();
}

int QtWindow::outerWidthPixels() const {
    return window_.width() + frameWidthPixels();
}

int QtWindow::outerWidth() const {
    return pixelsToTwips(outerWidthPixels(), dpi());
}

int QtWindow::innerWidth() const {
    return window_.isMinimized() ? 0 : pixelsToTwips(window_.width(), dpi());
}

void QtWindow::setOuterWidth(int twips) {
    const int outer = twipsToPixels(twips, dpi());
    const int inner = std::clamp(outer - frameWidthPixels(), std::max(window_.minimumWidth(), 1),
                                 std::min(window_.maximumWidth(), QWIDGETSIZE_MAX));
    if (inner == window_.width())
        return;
    const unsigned before = sizeChanges_;
    window_.resize(inner, window_.height());
    if (sizeChanges_ == before)
        sizeChanged();
}

// A top-level widget's position is that of its frame, as the left and top edges are.
void QtWindow::moveTo(int left, int top) {
    window_.move(twipsToPixels(left, dpi()), twipsToPixels(top, dpi()));
}

void QtWindow::setControlWidth(SizedControl control, int twips) {
    QWidget& widget = window_.sizedControl(control);
    widget.resize(std::max(twipsToPixels(twips, dpi()), 0), widget.height());
}

int QtWindow::minimumOuterWidth() const {
    return pixelsToTwips(std::max(window_.minimumWidth(), 1) + frameWidthPixels(), dpi());
}

int QtWindow::screenWidth() const {
    const QScreen* screen = window_.screen();
    return screen ? pixelsToTwips(screen->geometry().width(), dpi()) : 0;
}

void QtWindow::sizeChanged() {
    ++sizeChanges_;
    if (handler_)
        handler_();
}

} // namespace quorbin
