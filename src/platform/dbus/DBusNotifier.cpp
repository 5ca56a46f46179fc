#include "platform/dbus/DBusNotifier.h"

#include <QStringList>
#include <QVariantMap>

#include <utility>

namespace quorbin {

DBusNotifier::DBusNotifier(QString sessionBus, QString desktopEntry, Report report)
    : desktopEntry_(std::move(desktopEntry)), report_(std::move(report)),
      bus_(std::move(sessionBus), QStringLiteral("notifier"), "session") {}

void DBusNotifier::notify(const std::string& title, const std::string& text) {
    const QString service = QStringLiteral("org.freedesktop.Notifications");
    QDBusMessage call = QDBusMessage::createMethodCall(
        service, QStringLiteral("/org/freedesktop/Notifications"), service, QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("desktop-entry"), desktopEntry_}};
    constexpr int serversTimeout = -1;
    call << QStringLiteral("Quorbin") << 0u << desktopEntry_ << QString::fromStdString(title)
         << QString::fromStdString(text).toHtmlEscaped() << QStringList() << hints << serversTimeout;
    bus_.call(call, [this](const QDBusMessage& reply) {
        if (reply.type() != QDBusMessage::ReplyMessage)
            report_("quorbin: no desktop notification shown (" + errorText(reply) + ")");
    });
}

} // namespace quorbin
