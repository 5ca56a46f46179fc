#pragma once

#include "platform/KeepAwake.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace quorbin {

// Where the two buses are; an empty address means that bus is not there.
struct BusAddresses {
    QString system;
    QString session;

    // As this process's environment gives them: DBUS_SYSTEM_BUS_ADDRESS or the system's
    // socket; DBUS_SESSION_BUS_ADDRESS, or the user session's socket in XDG_RUNTIME_DIR.
    // Never an address that starts a bus: a bus started for the tool alone would serve no
    // desktop and would outlive it.
    static BusAddresses fromEnvironment();
};

// Keeps the machine awake through D-Bus, with two holds taken side by side:
// - on the system bus, logind's inhibitor lock on sleep and idle: a file descriptor kept
//   open until release;
// - on the session bus, the desktop's idle inhibitor: GNOME's session manager where that
//   name has an owner (its flags 4 and 8: suspend and idle), the freedesktop screen saver
//   otherwise; a cookie handed back on release.
//
// Every call is asynchronous; the answers come through the event loop of the thread that
// made the object. An answer that arrives after release (or after the next hold) is let
// go of at once. The buses are connected on the first hold, not before (so start-up never
// waits for them), and again on a later hold after a failure; connecting, a local socket
// and the bus's greeting, is the one step that waits. A missing bus or service and a
// refused call are reported in one line each; the other hold goes on unaffected.
class DBusKeepAwake final : public KeepAwake {
public:
    using Report = std::function<void(const std::string& line)>;
    static void reportOnStandardError(const std::string& line);

    explicit DBusKeepAwake(BusAddresses buses, Report report = reportOnStandardError);
    ~DBusKeepAwake() override;
    DBusKeepAwake(const DBusKeepAwake&) = delete;
    DBusKeepAwake& operator=(const DBusKeepAwake&) = delete;

    void hold(const std::string& reason) override;
    void release() override;

    // What is held at this moment; a hold whose answer is on its way is not.
    bool sleepLocked() const { return sleepLock_.isValid(); }
    bool idleInhibited() const { return idleCookie_.has_value(); }

private:
    struct Bus {
        QString address;
        QString name;     // of this object's own connection
        const char* what; // which bus, and what the batch risks without it
        const char* risk;
    };
    enum class Desktop { gnome, screenSaver };
    struct Cookie {
        Desktop desktop;
        std::uint32_t value;
    };

    std::optional<QDBusConnection> connect(const Bus& bus);
    void lockSleep(std::uint64_t span, const QString& reason);
    void inhibitIdle(std::uint64_t span, const QString& reason);
    void askDesktop(std::uint64_t span, Desktop desktop, const QString& reason);
    void uninhibit(Cookie cookie);
    void whenAnswered(const QDBusPendingCall& call, std::function<void(const QDBusMessage&)> handler);

    Bus system_;
    Bus session_;
    Report report_;
    bool held_ = false;
    // Counts holds and releases: an answer belongs to the span that asked for it.
    std::uint64_t span_ = 0;
    QDBusUnixFileDescriptor sleepLock_;
    std::optional<Cookie> idleCookie_;
    // Owns the watchers of calls on their way; answers that come after the object has
    // gone are dropped with it.
    QObject calls_;
};

} // namespace quorbin
