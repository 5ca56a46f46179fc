#include "SignalPipe.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace quorbin {

namespace {

int pipeEnds[2] = {-1, -1};

extern "C" void writeSignal(int signal) {
    const int saved = errno;
    const auto number = static_cast<unsigned char>(signal);
    (void)!::write(pipeEnds[1], &number, 1);
    errno = saved;
}

} // namespace

SignalPipe::SignalPipe(std::function<void(int signal)> handler) : handler_(std::move(handler)) {
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    struct sigaction action {};
    action.sa_handler = writeSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGINT, SIGTERM})
        ::sigaction(signal, &action, nullptr);
    notifier_ = std::make_unique<QSocketNotifier>(pipeEnds[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { readSignals(); });
}

SignalPipe::~SignalPipe() {
    for (const int signal : {SIGINT, SIGTERM})
        ::signal(signal, SIG_DFL);
    notifier_.reset();
    for (int& end : pipeEnds)
        if (end >= 0) {
            ::close(end);
            end = -1;
        }
}

void SignalPipe::readSignals() {
    unsigned char number = 0;
    while (::read(pipeEnds[0], &number, 1) == 1)
        handler_(number);
}

} // namespace quorbin
