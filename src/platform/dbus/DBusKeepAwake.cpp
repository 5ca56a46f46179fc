#include "platform/dbus/DBusKeepAwake.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusPendingCallWatcher>
#include <QFileInfo>

#include <cstdio>
#include <utility>

namespace quorbin {

namespace {

const QString busService = QStringLiteral("org.freedesktop.DBus");
const QString busPath = QStringLiteral("/org/freedesktop/DBus");

const QString login1Service = QStringLiteral("org.freedesktop.login1");
const QString login1Path = QStringLiteral("/org/freedesktop/login1");
const QString login1Manager = QStringLiteral("org.freedesktop.login1.Manager");

const QString gnomeService = QStringLiteral("org.gnome.SessionManager");
const QString gnomePath = QStringLiteral("/org/gnome/SessionManager");
constexpr std::uint32_t gnomeSuspendAndIdle = 4u | 8u;

const QString screenSaverService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString screenSaverPath = QStringLiteral("/org/freedesktop/ScreenSaver");

const QString application = QStringLiteral("quorbin");

// libdbus's own default for the system bus.
const QString systemBusSocket = QStringLiteral("unix:path=/var/run/dbus/system_bus_socket");

std::string errorText(const QDBusMessage& reply) {
    return (reply.errorName() + QStringLiteral(": ") + reply.errorMessage()).toStdString();
}

const char* nameOf(bool gnome) {
    return gnome ? "org.gnome.SessionManager" : "org.freedesktop.ScreenSaver";
}

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

void DBusKeepAwake::reportOnStandardError(const std::string& line) {
    std::fprintf(stderr, "%s\n", line.c_str());
}

DBusKeepAwake::DBusKeepAwake(BusAddresses buses, Report report) : report_(std::move(report)) {
    const QString id = QString::number(reinterpret_cast<quintptr>(this), 16);
    system_ = {std::move(buses.system), QStringLiteral("quorbin-keep-awake-system-") + id, "system",
               "the machine may sleep during the batch"};
    session_ = {std::move(buses.session), QStringLiteral("quorbin-keep-awake-session-") + id, "session",
                "the screen may blank during the batch"};
}

// The window may close with a batch under way: what is held goes now. The calls still on
// their way are dropped; the buses let go of whatever they would have brought once the
// connections close.
DBusKeepAwake::~DBusKeepAwake() {
    release();
    QDBusConnection::disconnectFromBus(system_.name);
    QDBusConnection::disconnectFromBus(session_.name);
}

void DBusKeepAwake::hold(const std::string& reason) {
    if (held_)
        return;
    held_ = true;
    const std::uint64_t span = ++span_;
    const QString why = QString::fromStdString(reason);
    lockSleep(span, why);
    inhibitIdle(span, why);
}

void DBusKeepAwake::release() {
    if (!held_)
        return;
    held_ = false;
    ++span_;
    // Closing our copy of the descriptor is what ends logind's lock.
    sleepLock_ = QDBusUnixFileDescriptor();
    if (idleCookie_)
        uninhibit(*std::exchange(idleCookie_, std::nullopt));
}

// Connects on first use, and again after the connection was lost or never made.
std::optional<QDBusConnection> DBusKeepAwake::connect(const Bus& bus) {
    QDBusConnection connection(bus.name);
    if (connection.isConnected())
        return connection;
    if (bus.address.isEmpty()) {
        report_(std::string("quorbin: no ") + bus.what + " bus found; " + bus.risk);
        return std::nullopt;
    }
    QDBusConnection::disconnectFromBus(bus.name);
    connection = QDBusConnection::connectToBus(bus.address, bus.name);
    if (connection.isConnected())
        return connection;
    report_(std::string("quorbin: cannot reach the ") + bus.what + " bus (" +
            connection.lastError().message().toStdString() + "); " + bus.risk);
    return std::nullopt;
}

void DBusKeepAwake::lockSleep(std::uint64_t span, const QString& reason) {
    const auto bus = connect(system_);
    if (!bus)
        return;
    QDBusMessage call =
        QDBusMessage::createMethodCall(login1Service, login1Path, login1Manager, QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep:idle") << application << reason << QStringLiteral("block");
    whenAnswered(bus->asyncCall(call), [this, span](const QDBusMessage& reply) {
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

// GNOME is asked where it runs: its session manager acts on its own idle inhibitors, and
// passes the suspend one on to logind, which may not otherwise honour a lock of ours.
void DBusKeepAwake::inhibitIdle(std::uint64_t span, const QString& reason) {
    const auto bus = connect(session_);
    if (!bus)
        return;
    QDBusMessage ask =
        QDBusMessage::createMethodCall(busService, busPath, busService, QStringLiteral("NameHasOwner"));
    ask << gnomeService;
    whenAnswered(bus->asyncCall(ask), [this, span, reason](const QDBusMessage& reply) {
        if (span != span_)
            return;
        const bool gnome = reply.type() == QDBusMessage::ReplyMessage && reply.arguments().value(0).toBool();
        askDesktop(span, gnome ? Desktop::gnome : Desktop::screenSaver, reason);
    });
}

void DBusKeepAwake::askDesktop(std::uint64_t span, Desktop desktop, const QString& reason) {
    const bool gnome = desktop == Desktop::gnome;
    QDBusMessage call = gnome ? QDBusMessage::createMethodCall(gnomeService, gnomePath, gnomeService,
                                                               QStringLiteral("Inhibit"))
                              : QDBusMessage::createMethodCall(screenSaverService, screenSaverPath,
                                                               screenSaverService, QStringLiteral("Inhibit"));
    if (gnome)
        call << application << 0u << reason << gnomeSuspendAndIdle;
    else
        call << application << reason;
    whenAnswered(QDBusConnection(session_.name).asyncCall(call), [this, span, desktop,
                                                                  gnome](const QDBusMessage& reply) {
        const bool current = span == span_;
        if (reply.type() != QDBusMessage::ReplyMessage) {
            if (current)
                report_(std::string("quorbin: ") + nameOf(gnome) + " did not hold off the idle time (" +
                        errorText(reply) + "); " + session_.risk);
            return;
        }
        const Cookie cookie{desktop, reply.arguments().value(0).toUInt()};
        if (current)
            idleCookie_ = cookie;
        else
            uninhibit(cookie);
    });
}

void DBusKeepAwake::uninhibit(Cookie cookie) {
    const bool gnome = cookie.desktop == Desktop::gnome;
    QDBusMessage call = gnome
                            ? QDBusMessage::createMethodCall(gnomeService, gnomePath, gnomeService,
                                                             QStringLiteral("Uninhibit"))
                            : QDBusMessage::createMethodCall(screenSaverService, screenSaverPath,
                                                             screenSaverService, QStringLiteral("UnInhibit"));
    call << cookie.value;
    whenAnswered(QDBusConnection(session_.name).asyncCall(call), [this, gnome](const QDBusMessage& reply) {
        if (reply.type() != QDBusMessage::ReplyMessage)
            report_(std::string("quorbin: ") + nameOf(gnome) + " did not take back its inhibitor (" +
                    errorText(reply) + ")");
    });
}

void DBusKeepAwake::whenAnswered(const QDBusPendingCall& call,
                                 std::function<void(const QDBusMessage&)> handler) {
    auto* watcher = new QDBusPendingCallWatcher(call, &calls_);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &calls_,
                     [watcher, handler = std::move(handler)] {
                         watcher->deleteLater();
                         handler(watcher->reply());
                     });
}

} // namespace quorbin
