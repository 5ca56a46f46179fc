#include "platform/dbus/DBusPowerActions.h"

#include <climits>
#include <utility>

namespace quorbin {

namespace {
// libdbus's "no time-out": a polkit prompt waits for the user.
constexpr int untilAnswered = INT_MAX;
} // namespace

DBusPowerActions::DBusPowerActions(QString systemBus)
    : bus_(std::move(systemBus), QStringLiteral("power"), "system") {}

void DBusPowerActions::suspend(Done done) {
    ask(QStringLiteral("Suspend"), "put to sleep", std::move(done));
}

void DBusPowerActions::powerOff(Done done) {
    ask(QStringLiteral("PowerOff"), "shut down", std::move(done));
}

void DBusPowerActions::ask(const QString& method, const std::string& action, Done done) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), method);
    constexpr bool interactive = true;
    call << interactive;
    bus_.call(
        call,
        [action, done = std::move(done)](const QDBusMessage& reply) {
            if (reply.type() == QDBusMessage::ReplyMessage)
                done(Ok{});
            else
                done(Failure{"The machine could not be " + action + " (" + reply.errorName().toStdString() +
                             "): " + reply.errorMessage().toStdString()});
        },
        untilAnswered);
}

} // namespace quorbin
