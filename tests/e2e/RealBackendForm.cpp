#include "e2e/RealBackendForm.h"

#include <algorithm>
#include <cmath>

namespace quorbin::test {

namespace {
constexpr std::int32_t settleSeconds = 11;
constexpr double tickSeconds = 0.5;
} // namespace

RealBackendForm::RealBackendForm() {
    t.processesOverride = &processes;
    t.filesOverride = &files;
}

bool RealBackendForm::nextTickDecides() const {
    const auto next = static_cast<std::int32_t>(std::floor(t.clock.timerSeconds() + tickSeconds));
    return next - t.form->state().modeStart >= settleSeconds;
}

void RealBackendForm::runToDecision() {
    // A mode just entered reaches its settle time within this many ticks.
    const int ticksToSettle = static_cast<int>((settleSeconds + 1) / tickSeconds);
    for (int i = 0; i < ticksToSettle && !nextTickDecides(); ++i)
        t.tick();
}

bool RealBackendForm::tickUntilMode(BatchMode mode, int maxTicks) {
    for (int i = 0; i < maxTicks && state().mode != mode; ++i)
        t.tick();
    return state().mode == mode;
}

bool RealBackendForm::tickUntilLogged(const std::string& message, std::size_t from, int maxTicks) {
    const auto logged = [&] {
        const auto since = t.messagesLoggedSince(from);
        return std::find(since.begin(), since.end(), message) != since.end();
    };
    for (int i = 0; i < maxTicks && !logged(); ++i)
        t.tick();
    return logged();
}

} // namespace quorbin::test
