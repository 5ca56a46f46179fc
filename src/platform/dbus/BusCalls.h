#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QObject>
#include <QString>

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

// Tells the user, in one line, what went wrong with a bus or a service.
using BusReport = std::function<void(const std::string& line)>;

// The tool's lines for standard error.
void reportOnStandardError(const std::string& line);

// One bus as the keep-awake backend uses it: its address, the name of the backend's own
// connection to it, which bus it is and what a batch risks without it.
struct Bus {
    QString address;
    QString name;
    const char* what;
    const char* risk;
};

// The bus's connection: the one made before while it stands, or a new one (a local socket
// and the bus's greeting, the one step that waits). Nothing where the bus cannot be
// reached, said in one line unless quiet.
std::optional<QDBusConnection> connectTo(const Bus& bus, const BusReport& report, bool quiet = false);

// Runs the handler with the answer once it comes, through the event loop; the watcher
// belongs to `owner`, so an answer that comes after the owner has gone is dropped with it.
void whenAnswered(const QDBusPendingCall& call, QObject& owner,
                  std::function<void(const QDBusMessage&)> handler);

// The error of a failed call: its name and message.
std::string errorText(const QDBusMessage& reply);

} // namespace quorbin
