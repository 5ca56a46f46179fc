#include "platform/dbus/BusLink.h"

#include <QDBusError>

#include <utility>

namespace quorbin {

BusLink::BusLink(QString address, const QString& purpose, std::string what)
    : address_(std::move(address)), name_(QStringLiteral("quorbin-") + purpose + QLatin1Char('-') +
                                          QString::number(reinterpret_cast<quintptr>(this), 16)),
      what_(std::move(what)) {}

// The calls still on their way are dropped with the watchers.
BusLink::~BusLink() {
    QDBusConnection::disconnectFromBus(name_);
}

Result<QDBusConnection> BusLink::connection() {
    QDBusConnection connection(name_);
    if (connection.isConnected())
        return connection;
    if (address_.isEmpty())
        return Failure{"no " + what_ + " bus found"};
    QDBusConnection::disconnectFromBus(name_);
    connection = QDBusConnection::connectToBus(address_, name_);
    if (connection.isConnected())
        return connection;
    return Failure{"cannot reach the " + what_ + " bus (" + connection.lastError().message().toStdString() +
                   ")"};
}

void BusLink::call(const QDBusMessage& message, std::function<void(const QDBusMessage&)> answered,
                   int timeoutMs) {
    const Result<QDBusConnection> bus = connection();
    if (!bus) {
        answered(message.createErrorReply(QDBusError::Disconnected, QString::fromStdString(bus.error())));
        return;
    }
    whenAnswered(bus->asyncCall(message, timeoutMs), calls_, std::move(answered));
}

} // namespace quorbin
