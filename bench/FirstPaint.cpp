#include "FirstPaint.h"

#include <QEvent>
#include <QTimer>

namespace quorbin {

FirstPaint::FirstPaint(QObject& window, std::function<void()> handler) : handler_(std::move(handler)) {
    window.installEventFilter(this);
}

bool FirstPaint::eventFilter(QObject* watched, QEvent* event) {
    if (!seen_ && event->type() == QEvent::Paint) {
        seen_ = true;
        QTimer::singleShot(0, this, [this] { handler_(); });
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quorbin
