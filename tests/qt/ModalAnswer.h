#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace quorbin::test {

// Answers the next modal window of type W, as a user would, from inside its event loop:
// polls until it is shown, then hands it to answer. A window that never comes within
// the deadline leaves found false; one that the answer leaves open is closed, so that
// the test cannot hang in exec().
template <class W> class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(W&)> answer, int deadlineMs = 10000)
        : answer_(std::move(answer)), deadlineMs_(deadlineMs) {
        clock_.start();
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }

    bool found = false;

private:
    void poll() {
        auto* modal = qobject_cast<W*>(QApplication::activeModalWidget());
        if (modal && modal->isVisible()) {
            timer_.stop();
            found = true;
            answer_(*modal);
            if (modal->isVisible())
                modal->close();
            return;
        }
        if (clock_.elapsed() > deadlineMs_) {
            timer_.stop();
            if (QWidget* other = QApplication::activeModalWidget())
                other->close();
        }
    }

    std::function<void(W&)> answer_;
    int deadlineMs_;
    QElapsedTimer clock_;
    QTimer timer_;
};

} // namespace quorbin::test
