#include "platform/dbus/SystemDesktop.h"

#include "platform/NullDesktop.h"
#if QUORBIN_DBUS_KEEP_AWAKE
#include "platform/dbus/DBusKeepAwake.h"
#include "platform/dbus/DBusNotifier.h"
#include "platform/dbus/DBusPowerActions.h"
#include "platform/dbus/DBusTaskbarProgress.h"
#endif

namespace quorbin {

SystemDesktop makeSystemDesktop([[maybe_unused]] const std::string& desktopEntry) {
#if QUORBIN_DBUS_KEEP_AWAKE
    const BusAddresses buses = BusAddresses::fromEnvironment();
    const QString entry = QString::fromStdString(desktopEntry);
    return {std::make_unique<DBusNotifier>(buses.session, entry),
            std::make_unique<DBusTaskbarProgress>(buses.session, entry),
            std::make_unique<DBusPowerActions>(buses.system)};
#else
    return {std::make_unique<NullNotifier>(), std::make_unique<NullTaskbarProgress>(),
            std::make_unique<NullPowerActions>()};
#endif
}

} // namespace quorbin
