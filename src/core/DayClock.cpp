#include "core/DayClock.h"

namespace quorbin {

double DayClock::seconds() {
    if (!started_) {
        startTimer_ = clock_.timerSeconds();
        startSteady_ = clock_.steadySeconds();
        started_ = true;
        return startTimer_;
    }
    return startTimer_ + (clock_.steadySeconds() - startSteady_);
}

} // namespace quorbin
