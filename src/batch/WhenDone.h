#pragma once

namespace quorbin {

struct Form;

// What happens when a batch reaches its end, as chosen in the menu "When the batch is
// done": nothing, quit, sleep or shut down. The choice fires once, after the "IDLE"
// line; sleep and shut down come after a countdown of 60 seconds that the user can
// cancel, through which the machine is kept awake. Fired or cancelled, the choice goes
// back to "Do nothing"; it is never stored, so every start begins with it.
class WhenDone {
public:
    explicit WhenDone(Form& form) : form_(form) {}

    void choose(int item);
    // A batch has reached its end: its last file is done and the mode is 0.
    void batchEnded();
    // Start was pressed: a countdown under way is cancelled, for the user is here and a
    // new batch must not be put to sleep.
    void batchStarting();
    // Every tick: the countdown goes on.
    void tick();
    // The user cancelled the countdown.
    void cancel();

private:
    void startCountdown();
    void stopCountdown();
    void showCountdown(int seconds);
    void fire();
    void reset();

    Form& form_;
    int choice_ = 0;
    bool counting_ = false;
    int action_ = 0; // the action counted down to
    double deadline_ = 0;
    int shownSeconds_ = -1;
    // Asked of the system and not answered yet: a second end of batch fires nothing.
    bool pending_ = false;
};

} // namespace quorbin
