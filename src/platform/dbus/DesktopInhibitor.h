#pragma once

#include "platform/dbus/BusCalls.h"

#include <QDBusServiceWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <optional>

namespace quorbin {

// The desktop's own holds on the session bus, for as long as a batch runs:
// - the idle inhibitor of GNOME's session manager where that name has an owner (its flags
//   4 and 8: suspend and idle), of the freedesktop screen saver otherwise;
// - besides, wherever that name has an owner, the inhibitor of the freedesktop power
//   manager (XFCE's and KDE's): logind lets the user's own power manager suspend past a
//   lock of the same user's, so the power manager itself is asked.
// Each hold is a cookie, handed back on release to the very service that gave it out.
//
// Every call is asynchronous; an answer that comes after release, or after the holds were
// asked for again, is let go of at once. The holds of a service die with it: when one of
// the three names gets a new owner during a batch (a service restarted), and when the bus
// itself is lost and comes back (it is looked for every two seconds meanwhile), what is
// missing is asked for again.
class DesktopInhibitor final : public QObject {
    Q_OBJECT

public:
    DesktopInhibitor(Bus bus, BusReport report);
    ~DesktopInhibitor() override;
    DesktopInhibitor(const DesktopInhibitor&) = delete;
    DesktopInhibitor& operator=(const DesktopInhibitor&) = delete;

    void hold(const QString& reason);
    void release();

    // What is held at this moment; a hold whose answer is on its way is not.
    bool idleInhibited() const { return idle_.has_value(); }
    bool sleepInhibited() const { return power_.has_value(); }

private slots:
    void busLost();

private:
    enum class Desktop { gnome, screenSaver, powerManager };
    struct Cookie {
        Desktop desktop;
        std::uint32_t value;
        QString owner; // the unique name of the service that gave it out
    };

    bool connectBus(bool quiet);
    void lookForBus();
    void askForWhatIsMissing();
    void whenOwned(const QString& service, std::uint64_t round, std::function<void(bool owned)> then);
    void inhibit(Desktop desktop, std::uint64_t round);
    void keep(Cookie cookie, std::uint64_t round);
    void uninhibit(const Cookie& cookie);
    void ownerChanged(const QString& service, const QString& oldOwner, const QString& newOwner);

    Bus bus_;
    BusReport report_;
    bool held_ = false;
    bool watching_ = false; // the connection's loss and the names' owners
    QString reason_;
    // Counts the times the holds were asked for: an answer belongs to the round that asked.
    std::uint64_t round_ = 0;
    std::optional<Cookie> idle_;
    std::optional<Cookie> power_;
    QDBusServiceWatcher owners_;
    QTimer busSearch_;
    // Owns the watchers of calls on their way.
    QObject calls_;
};

} // namespace quorbin
