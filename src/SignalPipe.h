#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <functional>
#include <memory>

namespace quorbin {

// SIGINT and SIGTERM, handed to the event loop: the handler only writes the signal's
// number into a pipe, and the loop reads it and calls `handler` with it, outside the
// handler, where anything may be done. One per program.
class SignalPipe {
public:
    explicit SignalPipe(std::function<void(int signal)> handler);
    ~SignalPipe();
    SignalPipe(const SignalPipe&) = delete;
    SignalPipe& operator=(const SignalPipe&) = delete;

    // False when the pipe could not be made: the signals then end the program as usual.
    bool ready() const { return notifier_ != nullptr; }

private:
    void readSignals();

    std::function<void(int)> handler_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace quorbin
