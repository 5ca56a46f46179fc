#pragma once

#include "platform/Notifier.h"
#include "platform/dbus/BusLink.h"

#include <functional>
#include <string>

namespace quorbin {

// Desktop notifications through org.freedesktop.Notifications on the session bus: Notify
// with the tool's name, its desktop entry's icon, the title as the summary and the text as
// the body; no actions, the server's own timeout. The body is escaped, since servers read
// it as markup and a file name may hold "&" or "<". Where no server runs, or it refuses,
// one line says so.
class DBusNotifier final : public Notifier {
public:
    using Report = std::function<void(const std::string& line)>;

    // desktopEntry: the desktop entry's name without ".desktop", which is also its icon's.
    DBusNotifier(QString sessionBus, QString desktopEntry, Report report = reportOnStandardError);

    void notify(const std::string& title, const std::string& text) override;

private:
    QString desktopEntry_;
    Report report_;
    BusLink bus_;
};

} // namespace quorbin
