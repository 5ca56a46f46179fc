#pragma once

#include "platform/KeepAwake.h"
#include "platform/dbus/BusCalls.h"
#include "platform/dbus/DesktopInhibitor.h"

#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <QString>

#include <cstdint>
#include <string>

namespace quorbin {

// Keeps the machine awake through D-Bus, with holds taken side by side:
// - on the system bus, logind's inhibitor lock on sleep and idle: a file descriptor kept
//   open until release;
// - on the session bus, the desktop's own inhibitors (DesktopInhibitor).
//
// Every call is asynchronous; the answers come through the event loop of the thread that
// made the object. An answer that arrives after release (or after the next hold) is let
// go of at once. The buses are connected on the first hold, not before (so start-up never
// waits for them), and again on a later hold after a failure; connecting, a local socket
// and the bus's greeting, is the one step that waits. A missing bus or service and a
// refused call are reported in one line each; the other holds go on unaffected.
class DBusKeepAwake final : public KeepAwake {
public:
    explicit DBusKeepAwake(BusAddresses buses, BusReport report = reportOnStandardError);
    ~DBusKeepAwake() override;
    DBusKeepAwake(const DBusKeepAwake&) = delete;
    DBusKeepAwake& operator=(const DBusKeepAwake&) = delete;

    void hold(const std::string& reason) override;
    void release() override;

    // What is held at this moment; a hold whose answer is on its way is not.
    bool sleepLocked() const { return sleepLock_.isValid(); }
    bool idleInhibited() const { return desktop_.idleInhibited(); }
    bool desktopSleepInhibited() const { return desktop_.sleepInhibited(); }

private:
    void lockSleep(std::uint64_t span, const QString& reason);

    Bus system_;
    BusReport report_;
    DesktopInhibitor desktop_;
    bool held_ = false;
    // Counts holds and releases: an answer belongs to the span that asked for it.
    std::uint64_t span_ = 0;
    QDBusUnixFileDescriptor sleepLock_;
    // Owns the watchers of calls on their way; answers that come after the object has
    // gone are dropped with it.
    QObject calls_;
};

} // namespace quorbin
