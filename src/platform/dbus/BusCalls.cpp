#include "platform/dbus/BusCalls.h"

#include <cstdio>

#include <QDBusError>
#include <QDBusPendingCallWatcher>
#include <QFileInfo>

#include <utility>

namespace quorbin {

namespace {
// libdbus's own default for the system bus.
const QString systemBusSocket = QStringLiteral("unix:path=/var/run/dbus/system_bus_socket");
} // namespace

BusAddresses BusAddresses::fromEnvironment() {
    BusAddresses buses;
    buses.system = qEnvironmentVariableIsEmpty("DBUS_SYSTEM_BUS_ADDRESS")
                       ? systemBusSocket
                       : qEnvironmentVariable("DBUS_SYSTEM_BUS_ADDRESS");
    buses.session = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    if (buses.session.isEmpty() && !qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString socket = qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/bus");
        if (QFileInfo::exists(socket))
            buses.session = QStringLiteral("unix:path=") + socket;
    }
    return buses;
}

std::optional<QDBusConnection> connectTo(const Bus& bus, const BusReport& report, bool quiet) {
    QDBusConnection connection(bus.name);
    if (connection.isConnected())
        return connection;
    if (bus.address.isEmpty()) {
        if (!quiet)
            report(std::string("quorbin: no ") + bus.what + " bus found; " + bus.risk);
        return std::nullopt;
    }
    QDBusConnection::disconnectFromBus(bus.name);
    connection = QDBusConnection::connectToBus(bus.address, bus.name);
    if (connection.isConnected())
        return connection;
    if (!quiet)
        report(std::string("quorbin: cannot reach the ") + bus.what + " bus (" +
               connection.lastError().message().toStdString() + "); " + bus.risk);
    return std::nullopt;
}

void whenAnswered(const QDBusPendingCall& call, QObject& owner,
                  std::function<void(const QDBusMessage&)> handler) {
    auto* watcher = new QDBusPendingCallWatcher(call, &owner);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &owner,
                     [watcher, handler = std::move(handler)] {
                         watcher->deleteLater();
                         handler(watcher->reply());
                     });
}

void reportOnStandardError(const std::string& line) {
    std::fprintf(stderr, "%s\n", line.c_str());
}

std::string errorText(const QDBusMessage& reply) {
    return (reply.errorName() + QStringLiteral(": ") + reply.errorMessage()).toStdString();
}

} // namespace quorbin
