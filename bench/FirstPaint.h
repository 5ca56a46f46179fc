#pragma once

#include <QObject>

#include <functional>

namespace quorbin {

// Runs a handler once, when the first paint of a window is done: the paint event of
// the top-level widget starts the repaint of all its controls, and the handler runs
// from the event loop after that repaint and its flush to the screen.
class FirstPaint : public QObject {
    Q_OBJECT
public:
    FirstPaint(QObject& window, std::function<void()> handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> handler_;
    bool seen_ = false;
};

} // namespace quorbin
