#include "platform/dbus/DBusKeepAwake.h"

#include <QDBusConnection>

#include <utility>

namespace quorbin {

namespace {

const QString login1Service = QStringLiteral("org.freedesktop.login1");
const QString login1Path = QStringLiteral("/org/freedesktop/login1");
const QString login1Manager = QStringLiteral("org.freedesktop.login1.Manager");

const QString application = QStringLiteral("quorbin");

// A name of this object's own for its connection to a bus.
QString connectionName(const void* self, const char* bus) {
    return QStringLiteral("quorbin-keep-awake-%1-%2")
        .arg(QLatin1String(bus))
        .arg(reinterpret_cast<quintptr>(self), 0, 16);
}

} // namespace

DBusKeepAwake::DBusKeepAwake(BusAddresses buses, BusReport report)
    : system_{std::move(buses.system), connectionName(this, "system"), "system",
              "the machine may sleep during the batch"},
      report_(std::move(report)), desktop_(Bus{std::move(buses.session), connectionName(this, "session"),
                                               "session", "the screen may blank during the batch"},
                                           report_) {}

// The window may close with a batch under way: what is held goes now. The calls still on
// their way are dropped; the bus lets go of whatever they would have brought once the
// connection closes.
DBusKeepAwake::~DBusKeepAwake() {
    release();
    QDBusConnection::disconnectFromBus(system_.name);
}

void DBusKeepAwake::hold(const std::string& reason) {
    if (held_)
        return;
    held_ = true;
    const std::uint64_t span = ++span_;
    const QString why = QString::fromStdString(reason);
    lockSleep(span, why);
    desktop_.hold(why);
}

void DBusKeepAwake::release() {
    if (!held_)
        return;
    held_ = false;
    ++span_;
    // Closing our copy of the descriptor is what ends logind's lock.
    sleepLock_ = QDBusUnixFileDescriptor();
    desktop_.release();
}

void DBusKeepAwake::lockSleep(std::uint64_t span, const QString& reason) {
    const auto bus = connectTo(system_, report_);
    if (!bus)
        return;
    QDBusMessage call =
        QDBusMessage::createMethodCall(login1Service, login1Path, login1Manager, QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep:idle") << application << reason << QStringLiteral("block");
    whenAnswered(bus->asyncCall(call), calls_, [this, span](const QDBusMessage& reply) {
        const bool current = span == span_;
        if (reply.type() != QDBusMessage::ReplyMessage) {
            if (current)
                report_("quorbin: logind did not hold off sleep (" + errorText(reply) + "); " + system_.risk);
            return;
        }
        const auto lock = qvariant_cast<QDBusUnixFileDescriptor>(reply.arguments().value(0));
        if (!lock.isValid()) {
            if (current)
                report_(std::string("quorbin: logind handed back no lock; ") + system_.risk);
            return;
        }
        // A lock for a span already over is dropped here: its last copy closes with the
        // answer.
        if (current)
            sleepLock_ = lock;
    });
}

} // namespace quorbin
