#pragma once

#include "platform/Result.h"
#include "platform/dbus/BusCalls.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>

#include <functional>
#include <string>

namespace quorbin {

// This process's own connection to one bus, for one of the desktop's services: made on
// first use, so that start-up never waits for a bus, and made again after it was lost or
// never made (a local socket and the bus's greeting: the one step that waits). Calls are
// asynchronous; their answers come through the event loop of the thread that made the
// link, and are dropped when it goes.
class BusLink {
public:
    // An empty address means that bus is not there; `what` names the bus in failures
    // ("session"), `purpose` the connection.
    BusLink(QString address, const QString& purpose, std::string what);
    ~BusLink();
    BusLink(const BusLink&) = delete;
    BusLink& operator=(const BusLink&) = delete;

    Result<QDBusConnection> connection();
    // Sends a method call; `answered` gets the reply or the error, from the event loop, or
    // at once with an error where the bus cannot be reached. timeoutMs -1: the bus's
    // default.
    void call(const QDBusMessage& message, std::function<void(const QDBusMessage& reply)> answered,
              int timeoutMs = -1);

private:
    QString address_;
    QString name_;
    std::string what_;
    QObject calls_; // the watchers of calls on their way
};

} // namespace quorbin
