#pragma once

#include "platform/TaskbarProgress.h"
#include "platform/dbus/BusLink.h"

#include <QVariantMap>

#include <functional>
#include <string>

namespace quorbin {

// The batch's progress on the docks and task managers that show it (KDE Plasma's, the GNOME
// and Ubuntu docks): the Update signal of com.canonical.Unity.LauncherEntry on the session
// bus, keyed to the desktop entry, with progress (0 to 1) and progress-visible. A signal
// has no answer, so only a bus that cannot be reached is reported, once until it can be.
class DBusTaskbarProgress final : public TaskbarProgress {
public:
    using Report = std::function<void(const std::string& line)>;

    // desktopEntry: the desktop entry's name without ".desktop".
    DBusTaskbarProgress(QString sessionBus, const QString& desktopEntry,
                        Report report = reportOnStandardError);

    void show(int done, int total, bool paused) override;
    void clear() override;

private:
    void update(const QVariantMap& properties);

    QString appUri_;
    Report report_;
    bool reported_ = false;
    BusLink bus_;
};

} // namespace quorbin
