#pragma once

#include "platform/PowerActions.h"
#include "platform/dbus/BusLink.h"

namespace quorbin {

// Sleep and shut down through logind on the system bus: Suspend(true) and PowerOff(true),
// interactive, so that polkit may first ask the user. The answer waits for as long as
// that takes; an error answer, or a bus that cannot be reached, is the failure.
class DBusPowerActions final : public PowerActions {
public:
    explicit DBusPowerActions(QString systemBus);

    void suspend(Done done) override;
    void powerOff(Done done) override;

private:
    void ask(const QString& method, const std::string& action, Done done);

    BusLink bus_;
};

} // namespace quorbin
