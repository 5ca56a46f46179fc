#include "platform/dbus/DBusTaskbarProgress.h"

#include <utility>

namespace quorbin {

DBusTaskbarProgress::DBusTaskbarProgress(QString sessionBus, const QString& desktopEntry, Report report)
    : appUri_(QStringLiteral("application://") + desktopEntry + QStringLiteral(".desktop")),
      report_(std::move(report)), bus_(std::move(sessionBus), QStringLiteral("taskbar"), "session") {}

// The launcher entry knows no paused state: the bar stands still while the batch does.
void DBusTaskbarProgress::show(int done, int total, bool /*paused*/) {
    update({{QStringLiteral("progress"), static_cast<double>(done) / total},
            {QStringLiteral("progress-visible"), true}});
}

void DBusTaskbarProgress::clear() {
    update({{QStringLiteral("progress-visible"), false}});
}

void DBusTaskbarProgress::update(const QVariantMap& properties) {
    const Result<QDBusConnection> bus = bus_.connection();
    if (!bus) {
        if (!std::exchange(reported_, true))
            report_("quorbin: " + bus.error() + "; the taskbar shows no progress");
        return;
    }
    reported_ = false;
    QDBusMessage update = QDBusMessage::createSignal(QStringLiteral("/io/github/quorbin/LauncherEntry"),
                                                     QStringLiteral("com.canonical.Unity.LauncherEntry"),
                                                     QStringLiteral("Update"));
    update << appUri_ << properties;
    bus->send(update);
}

} // namespace quorbin
