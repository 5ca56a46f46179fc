#include "platform/win32/ui/Win32PowerActions.h"

#include "platform/win32/ShutdownPrivilege.h"
#include "platform/win32/SystemMessage.h"

namespace quorbin {

namespace {

// powrprof.dll is loaded at the first sleep, not with the program: it would add to every
// start-up for a call that most runs never make.
BOOLEAN WINAPI setSuspendState(BOOLEAN hibernate, BOOLEAN force, BOOLEAN wakeEventsDisabled) {
    using Call = BOOLEAN(WINAPI*)(BOOLEAN, BOOLEAN, BOOLEAN);
    HMODULE library = LoadLibraryExW(L"powrprof.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    const auto call =
        library ? reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(library, "SetSuspendState")))
                : nullptr;
    if (!call) {
        SetLastError(library ? ERROR_PROC_NOT_FOUND : GetLastError());
        return FALSE;
    }
    return call(hibernate, force, wakeEventsDisabled);
}

Result<void> sleepMachine(const PowerCalls& calls) {
    const Result<void> privilege = enableShutdownPrivilege();
    if (!privilege)
        return Failure{"The machine could not be put to sleep: " + privilege.error()};
    if (!calls.suspend(FALSE, FALSE, FALSE))
        return Failure{"The machine could not be put to sleep: " + systemMessage(GetLastError())};
    return Ok{};
}

Result<void> shutDownMachine(const PowerCalls& calls) {
    const Result<void> privilege = enableShutdownPrivilege();
    if (!privilege)
        return Failure{"The machine could not be shut down: " + privilege.error()};
    const DWORD error =
        calls.shutDown(nullptr, nullptr, 0, SHUTDOWN_POWEROFF,
                       SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER | SHTDN_REASON_FLAG_PLANNED);
    if (error != ERROR_SUCCESS)
        return Failure{"The machine could not be shut down: " + systemMessage(error)};
    return Ok{};
}

} // namespace

const PowerCalls& systemPowerCalls() {
    static const PowerCalls calls{setSuspendState, InitiateShutdownW};
    return calls;
}

Win32PowerActions::~Win32PowerActions() {
    if (worker_.joinable())
        worker_.join();
}

void Win32PowerActions::suspend(Done done) {
    run(sleepMachine, std::move(done));
}

void Win32PowerActions::powerOff(Done done) {
    run(shutDownMachine, std::move(done));
}

void Win32PowerActions::run(Result<void> (*action)(const PowerCalls& calls), Done done) {
    if (worker_.joinable())
        worker_.join(); // the one before has answered already, or is about to
    worker_ = std::thread([this, action, done = std::move(done)]() mutable {
        Result<void> outcome = action(calls_);
        window_.post([done = std::move(done), outcome = std::move(outcome)] { done(outcome); });
    });
}

} // namespace quorbin
