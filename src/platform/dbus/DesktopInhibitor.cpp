#include "platform/dbus/DesktopInhibitor.h"

#include <QStringList>

#include <array>
#include <utility>

namespace quorbin {

namespace {

struct Service {
    QString name;
    QString path;
    QString interface;
    QString uninhibit;
};

const QString busService = QStringLiteral("org.freedesktop.DBus");
const QString busPath = QStringLiteral("/org/freedesktop/DBus");
const QString localPath = QStringLiteral("/org/freedesktop/DBus/Local");
const QString localInterface = QStringLiteral("org.freedesktop.DBus.Local");

// In the order of Desktop.
const std::array<Service, 3> services{{
    {QStringLiteral("org.gnome.SessionManager"), QStringLiteral("/org/gnome/SessionManager"),
     QStringLiteral("org.gnome.SessionManager"), QStringLiteral("Uninhibit")},
    {QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("/org/freedesktop/ScreenSaver"),
     QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("UnInhibit")},
    {QStringLiteral("org.freedesktop.PowerManagement"),
     QStringLiteral("/org/freedesktop/PowerManagement/Inhibit"),
     QStringLiteral("org.freedesktop.PowerManagement.Inhibit"), QStringLiteral("UnInhibit")},
}};
constexpr std::uint32_t gnomeSuspendAndIdle = 4u | 8u;
constexpr int busSearchMilliseconds = 2000;

const QString application = QStringLiteral("quorbin");

// The address without the server's id ("guid=", which names one run of the bus): a bus
// that restarts where it was has a new one.
QString withoutServerId(const QString& address) {
    QStringList entries = address.split(QLatin1Char(';'));
    for (QString& entry : entries) {
        const qsizetype colon = entry.indexOf(QLatin1Char(':'));
        QStringList keys = entry.mid(colon + 1).split(QLatin1Char(','));
        keys.removeIf([](const QString& key) { return key.startsWith(QStringLiteral("guid=")); });
        entry = entry.left(colon + 1) + keys.join(QLatin1Char(','));
    }
    return entries.join(QLatin1Char(';'));
}

// The service of a DesktopInhibitor::Desktop.
template <class Desktop> const Service& serviceOf(Desktop desktop) {
    return services.at(static_cast<std::size_t>(desktop));
}

} // namespace

DesktopInhibitor::DesktopInhibitor(Bus bus, BusReport report)
    : bus_(std::move(bus)), report_(std::move(report)) {
    owners_.setWatchMode(QDBusServiceWatcher::WatchForOwnerChange);
    for (const Service& service : services)
        owners_.addWatchedService(service.name);
    QObject::connect(&owners_, &QDBusServiceWatcher::serviceOwnerChanged, this,
                     &DesktopInhibitor::ownerChanged);
    busSearch_.setInterval(busSearchMilliseconds);
    QObject::connect(&busSearch_, &QTimer::timeout, this, &DesktopInhibitor::lookForBus);
}

// The calls still on their way are dropped; the bus lets go of whatever they would have
// brought once the connection closes.
DesktopInhibitor::~DesktopInhibitor() {
    release();
    QDBusConnection::disconnectFromBus(bus_.name);
}

void DesktopInhibitor::hold(const QString& reason) {
    held_ = true;
    reason_ = reason;
    if (connectBus(false))
        askForWhatIsMissing();
}

void DesktopInhibitor::release() {
    held_ = false;
    ++round_;
    busSearch_.stop();
    for (std::optional<Cookie>* cookie : {&idle_, &power_})
        if (*cookie)
            uninhibit(*std::exchange(*cookie, std::nullopt));
}

// A connection made anew is watched for its loss and for the desktop's names changing
// hands.
bool DesktopInhibitor::connectBus(bool quiet) {
    auto connection = connectTo(bus_, report_, quiet);
    if (!connection)
        return false;
    if (!watching_) {
        owners_.setConnection(*connection);
        watching_ = connection->connect(QString(), localPath, localInterface, QStringLiteral("Disconnected"),
                                        this, SLOT(busLost()));
    }
    return true;
}

// Every hold went with the connection. The bus is looked for where it was until it is
// back, or the batch is over.
void DesktopInhibitor::busLost() {
    watching_ = false;
    bus_.address = withoutServerId(bus_.address);
    ++round_;
    idle_.reset();
    power_.reset();
    QDBusConnection::disconnectFromBus(bus_.name);
    if (!held_)
        return;
    report_(std::string("quorbin: lost the session bus; ") + bus_.risk + " until it is back");
    busSearch_.start();
}

void DesktopInhibitor::lookForBus() {
    if (!held_ || connectBus(true)) {
        busSearch_.stop();
        if (held_)
            askForWhatIsMissing();
    }
}

// A service that left took its holds along; one that came may give what is missing.
void DesktopInhibitor::ownerChanged(const QString& /*service*/, const QString& oldOwner,
                                    const QString& /*newOwner*/) {
    if (!held_)
        return;
    for (std::optional<Cookie>* cookie : {&idle_, &power_})
        if (*cookie && (*cookie)->owner == oldOwner)
            cookie->reset();
    askForWhatIsMissing();
}

// GNOME is asked where it runs: its session manager acts on its own idle inhibitors, and
// passes the suspend one on to logind, which may not otherwise honour a lock of ours.
void DesktopInhibitor::askForWhatIsMissing() {
    const std::uint64_t round = ++round_;
    if (!idle_)
        whenOwned(serviceOf(Desktop::gnome).name, round, [this, round](bool gnome) {
            inhibit(gnome ? Desktop::gnome : Desktop::screenSaver, round);
        });
    if (!power_)
        whenOwned(serviceOf(Desktop::powerManager).name, round, [this, round](bool owned) {
            if (owned)
                inhibit(Desktop::powerManager, round);
        });
}

void DesktopInhibitor::whenOwned(const QString& service, std::uint64_t round,
                                 std::function<void(bool owned)> then) {
    QDBusMessage ask =
        QDBusMessage::createMethodCall(busService, busPath, busService, QStringLiteral("NameHasOwner"));
    ask << service;
    whenAnswered(QDBusConnection(bus_.name).asyncCall(ask), calls_,
                 [this, round, then = std::move(then)](const QDBusMessage& reply) {
                     if (round == round_)
                         then(reply.type() == QDBusMessage::ReplyMessage &&
                              reply.arguments().value(0).toBool());
                 });
}

void DesktopInhibitor::inhibit(Desktop desktop, std::uint64_t round) {
    const Service& service = serviceOf(desktop);
    QDBusMessage call = QDBusMessage::createMethodCall(service.name, service.path, service.interface,
                                                       QStringLiteral("Inhibit"));
    if (desktop == Desktop::gnome)
        call << application << 0u << reason_ << gnomeSuspendAndIdle;
    else
        call << application << reason_;
    whenAnswered(QDBusConnection(bus_.name).asyncCall(call), calls_,
                 [this, desktop, round](const QDBusMessage& reply) {
                     if (reply.type() == QDBusMessage::ReplyMessage) {
                         keep(Cookie{desktop, reply.arguments().value(0).toUInt(), reply.service()}, round);
                     } else if (round == round_) {
                         const bool idle = desktop != Desktop::powerManager;
                         report_("quorbin: " + serviceOf(desktop).name.toStdString() + " did not hold off " +
                                 (idle ? "the idle time" : "sleep") + " (" + errorText(reply) + "); " +
                                 (idle ? bus_.risk : "the machine may sleep during the batch"));
                     }
                 });
}

// A cookie for a round already over is handed back at once.
void DesktopInhibitor::keep(Cookie cookie, std::uint64_t round) {
    std::optional<Cookie>& slot = cookie.desktop == Desktop::powerManager ? power_ : idle_;
    if (round == round_ && held_ && !slot)
        slot = std::move(cookie);
    else
        uninhibit(cookie);
}

// To the unique name that gave the cookie out: a service that has since restarted under
// the same name never gets a cookie that is not its own. One that has gone took its holds
// along, so its absence is no failure.
void DesktopInhibitor::uninhibit(const Cookie& cookie) {
    const Service& service = serviceOf(cookie.desktop);
    QDBusMessage call =
        QDBusMessage::createMethodCall(cookie.owner, service.path, service.interface, service.uninhibit);
    call << cookie.value;
    whenAnswered(QDBusConnection(bus_.name).asyncCall(call), calls_,
                 [this, desktop = cookie.desktop](const QDBusMessage& reply) {
                     if (reply.type() != QDBusMessage::ReplyMessage &&
                         reply.errorName() != QStringLiteral("org.freedesktop.DBus.Error.ServiceUnknown"))
                         report_("quorbin: " + serviceOf(desktop).name.toStdString() +
                                 " did not take back its inhibitor (" + errorText(reply) + ")");
                 });
}

} // namespace quorbin
