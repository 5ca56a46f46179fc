#include "batch/WhenDone.h"

#include "core/Form.h"
#include "platform/WhenDoneItems.h"

#include <cmath>

namespace quorbin {

namespace {
constexpr double countdownSeconds = 60;
}

void WhenDone::choose(int item) {
    choice_ = item;
}

void WhenDone::batchEnded() {
    if (counting_ || pending_)
        return;
    switch (choice_) {
    case quitQuorbin:
        reset();
        form_.controls.window.close();
        break;
    case sleepMachine:
    case shutDownMachine:
        action_ = choice_;
        startCountdown();
        break;
    default:
        break;
    }
}

void WhenDone::batchStarting() {
    if (!counting_)
        return;
    form_.services.countdown.close();
    stopCountdown();
}

void WhenDone::startCountdown() {
    counting_ = true;
    deadline_ = form_.dayClock.seconds() + countdownSeconds;
    form_.awake.need(AwakeNeed::countdown, true,
                     action_ == sleepMachine ? "Counting down to sleep" : "Counting down to shut down");
    showCountdown(static_cast<int>(countdownSeconds));
}

void WhenDone::showCountdown(int seconds) {
    shownSeconds_ = seconds;
    const std::string action = action_ == sleepMachine ? "go to sleep" : "shut down";
    form_.services.countdown.show("The batch is done. The machine will " + action + " in " +
                                  std::to_string(seconds) + (seconds == 1 ? " second." : " seconds."));
}

void WhenDone::tick() {
    if (!counting_)
        return;
    const int left = static_cast<int>(std::ceil(deadline_ - form_.dayClock.seconds()));
    if (left <= 0)
        fire();
    else if (left != shownSeconds_)
        showCountdown(left);
}

void WhenDone::cancel() {
    if (counting_)
        stopCountdown();
}

void WhenDone::stopCountdown() {
    counting_ = false;
    form_.awake.need(AwakeNeed::countdown, false);
    reset();
}

void WhenDone::fire() {
    form_.services.countdown.close();
    const int action = action_;
    stopCountdown();
    pending_ = true;
    auto answered = [this](const Result<void>& outcome) {
        pending_ = false;
        if (!outcome)
            form_.showMessage(outcome.error());
    };
    if (action == sleepMachine)
        form_.services.power.suspend(answered);
    else
        form_.services.power.powerOff(answered);
}

void WhenDone::reset() {
    choice_ = doNothing;
    action_ = doNothing;
    shownSeconds_ = -1;
    form_.controls.menuWhenDone.setChosen(doNothing);
}

} // namespace quorbin
