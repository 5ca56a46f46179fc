#pragma once

#include "platform/PowerActions.h"
#include "platform/win32/ui/Win32MainWindow.h"

#include <thread>

namespace quorbin {

// The system's calls that sleep or shut down the machine; tests hand in recorders, since
// under Wine the real ones do nothing.
struct PowerCalls {
    BOOLEAN(WINAPI* suspend)(BOOLEAN hibernate, BOOLEAN force, BOOLEAN wakeEventsDisabled);
    DWORD(WINAPI* shutDown)(LPWSTR machine, LPWSTR message, DWORD gracePeriod, DWORD flags, DWORD reason);
};
const PowerCalls& systemPowerCalls();

// Sleep (SetSuspendState) and shut down (InitiateShutdownW), each after enabling the
// shutdown privilege. The call runs on a thread of its own: SetSuspendState returns only
// once the machine wakes, after the system has told every window of the sleep and the
// waking, which the window must be free to answer. `done` runs on the window's thread.
//
// The shutdown forces no other program to close: one that holds unsaved work may stop
// it, as it would stop the user's own.
class Win32PowerActions final : public PowerActions {
public:
    explicit Win32PowerActions(Win32MainWindow& window, PowerCalls calls = systemPowerCalls())
        : window_(window), calls_(calls) {}
    ~Win32PowerActions() override;
    Win32PowerActions(const Win32PowerActions&) = delete;
    Win32PowerActions& operator=(const Win32PowerActions&) = delete;

    void suspend(Done done) override;
    void powerOff(Done done) override;

private:
    void run(Result<void> (*action)(const PowerCalls& calls), Done done);

    Win32MainWindow& window_;
    PowerCalls calls_;
    std::thread worker_;
};

} // namespace quorbin
