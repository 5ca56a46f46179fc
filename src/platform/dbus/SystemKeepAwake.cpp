#include "platform/dbus/SystemKeepAwake.h"

#include "platform/dbus/NullKeepAwake.h"
#if QUORBIN_DBUS_KEEP_AWAKE
#include "platform/dbus/DBusKeepAwake.h"
#endif

namespace quorbin {

std::unique_ptr<KeepAwake> makeSystemKeepAwake() {
#if QUORBIN_DBUS_KEEP_AWAKE
    return std::make_unique<DBusKeepAwake>(BusAddresses::fromEnvironment());
#else
    return std::make_unique<NullKeepAwake>();
#endif
}

} // namespace quorbin
