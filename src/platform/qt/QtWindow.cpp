#include "platform/qt/QtWindow.h"

#include "platform/TwipsConversion.h"

#include <QEvent>
#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace quorbin {

QtWindow::QtWindow(QtMainWindow& window) : window_(window) {
    window_.onSizeChange([this] { sizeChanged(); });
}

// The main window may outlive its adapter; it must not call into it afterwards.
QtWindow::~QtWindow() {
    stopAwaitingFrame();
    window_.onSizeChange({});
    window_.onClose({});
}

// The frame arrives with the window manager's answers to the first show: the client
// moves into the frame, the window's state is set, it is exposed and painted, it is
// activated. Which of them comes first after Qt has heard of the frame depends on the
// manager.
bool QtWindow::FrameWatch::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::WindowStateChange:
    case QEvent::WindowActivate:
    case QEvent::Paint:
        check_();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
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

// Until an awaited frame is known, the window counts the frame it was sized with.
int QtWindow::countedFrameWidthPixels() const {
    return awaited_ ? 0 : frameWidthPixels();
}

int QtWindow::outerWidth() const {
    return pixelsToTwips(window_.width() + countedFrameWidthPixels(), dpi());
}

int QtWindow::innerWidth() const {
    return window_.isMinimized() ? 0 : pixelsToTwips(window_.width(), dpi());
}

int QtWindow::innerWidthFor(int outerTwips, int framePixels) const {
    return std::clamp(twipsToPixels(outerTwips, dpi()) - framePixels, std::max(window_.minimumWidth(), 1),
                      std::min(window_.maximumWidth(), QWIDGETSIZE_MAX));
}

void QtWindow::setOuterWidth(int twips) {
    const int frame = frameWidthPixels();
    const int inner = innerWidthFor(twips, frame);
    if (frame == 0)
        awaitFrame(AwaitedFrame{twips, inner});
    else
        stopAwaitingFrame();
    resizeInner(inner);
}

void QtWindow::resizeInner(int inner) {
    if (inner == window_.width())
        return;
    const unsigned before = sizeChanges_;
    window_.resize(inner, window_.height());
    if (sizeChanges_ == before)
        sizeChanged();
}

void QtWindow::awaitFrame(AwaitedFrame awaited) {
    if (!awaited_)
        window_.installEventFilter(&frameWatch_);
    awaited_ = awaited;
}

void QtWindow::stopAwaitingFrame() {
    if (awaited_)
        window_.removeEventFilter(&frameWatch_);
    awaited_.reset();
}

// The width is set again once the event that brought the frame has been handled: a
// resize in the middle of a paint or a move of the window would be handled inside it.
void QtWindow::checkFrame() {
    if (!awaited_ || frameSeen_ || frameWidthPixels() == 0)
        return;
    frameSeen_ = true;
    QMetaObject::invokeMethod(
        &frameWatch_, [this] { applyWithFrame(); }, Qt::QueuedConnection);
}

// Set again with the frame, once: the resize runs the handler, which now stores the
// outer width with the frame, and asks for nothing more. A request that was dropped or
// replaced in the meantime is not set again.
void QtWindow::applyWithFrame() {
    frameSeen_ = false;
    if (!awaited_)
        return;
    const int outer = awaited_->outerTwips;
    stopAwaitingFrame();
    resizeInner(innerWidthFor(outer, frameWidthPixels()));
}

// The left and top edges are those of the frame. The platform window exists from the
// start, and a move of a created window keeps the frame that Qt knows: before the
// window manager has framed the window (X11) that is none, and the client area would
// land where the frame belongs, the title bar above it, off the screen. So a hidden
// window hands the frame's place to its platform window as such, and the manager puts
// the frame there when it frames the window. The platform window takes the widget's
// geometry first: with its own older size it would report that size back as a resize,
// and showing the widget would set the geometry again, as the client area's.
void QtWindow::moveTo(int left, int top) {
    const QPoint frame(twipsToPixels(left, dpi()), twipsToPixels(top, dpi()));
    window_.move(frame);
    QWindow* handle = window_.windowHandle();
    if (handle == nullptr || window_.isVisible())
        return;
    handle->setGeometry(window_.geometry());
    handle->setFramePosition(frame);
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
    return screen ? pixelsToTwips(screen->availableGeometry().width(), dpi()) : 0;
}

// The core closes the window from inside its own handlers (the tick that ends a batch):
// the window closes once that handler has returned, so that the close handler, the
// core's own, does not run in the middle of another. It closes as the close box closes
// it, and the program ends with its last window.
void QtWindow::close() {
    QMetaObject::invokeMethod(
        &window_, [window = &window_] { window->close(); }, Qt::QueuedConnection);
}

// A width that someone else gave the window ends the wait: the request no longer
// stands, and the frame counts as soon as it is known.
void QtWindow::sizeChanged() {
    ++sizeChanges_;
    if (awaited_ && window_.width() != awaited_->innerPixels)
        stopAwaitingFrame();
    if (handler_)
        handler_();
}

} // namespace quorbin
