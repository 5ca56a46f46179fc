#pragma once

namespace quorbin {

struct Form;

// One synthetic Shift press and release into the system's keyboard input stream, so
// the session does not fall idle during a long unattended batch.
class ShiftPulse {
public:
    explicit ShiftPulse(Form& form) : form_(form) {}

    void pulseShift();

private:
    Form& form_;
};

} // namespace quorbin
