#!/usr/bin/python3
"""Stand-ins for a notification server, logind's sleep and power-off, and a dock that
listens for launcher entry updates, on a bus that a test started.

Usage: desktop_standins.py ADDRESS [--refuse] notifications|login1|launcher...
--refuse answers logind's calls with an error. Ends when standard input closes. Tells,
one line each: "ready", then every call with its arguments and every signal heard.
"""
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib


def say(line):
    print(line, flush=True)


def shown(value):
    if isinstance(value, dbus.Dictionary):
        return ",".join("%s=%s" % (key, shown(value[key])) for key in sorted(value))
    if isinstance(value, dbus.Array):
        return ",".join(shown(item) for item in value)
    if isinstance(value, dbus.Boolean):
        return str(bool(value))
    return str(value)


class Notifications(dbus.service.Object):
    @dbus.service.method("org.freedesktop.Notifications", in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app, replaces, icon, summary, body, actions, hints, timeout):
        arguments = (app, replaces, icon, summary, body, actions, hints, timeout)
        say("notify " + "|".join(shown(argument) for argument in arguments) + " -> 1")
        return 1


class Login1(dbus.service.Object):
    refuse = False

    def act(self, call):
        say("login1 " + call)
        if Login1.refuse:
            raise dbus.exceptions.DBusException("Permission denied",
                                                name="org.freedesktop.DBus.Error.AccessDenied")

    @dbus.service.method("org.freedesktop.login1.Manager", in_signature="b")
    def Suspend(self, interactive):
        self.act("Suspend " + shown(interactive))

    @dbus.service.method("org.freedesktop.login1.Manager", in_signature="b")
    def PowerOff(self, interactive):
        self.act("PowerOff " + shown(interactive))


def listen_to_launcher(bus):
    bus.add_signal_receiver(lambda uri, properties: say("launcher Update %s %s" % (uri, shown(properties))),
                            signal_name="Update", dbus_interface="com.canonical.Unity.LauncherEntry")


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.bus.BusConnection(sys.argv[1])
    Login1.refuse = "--refuse" in sys.argv
    served = []
    if "notifications" in sys.argv:
        served.append((dbus.service.BusName("org.freedesktop.Notifications", bus),
                       Notifications(bus, "/org/freedesktop/Notifications")))
    if "login1" in sys.argv:
        served.append((dbus.service.BusName("org.freedesktop.login1", bus), Login1(bus, "/org/freedesktop/login1")))
    if "launcher" in sys.argv:
        listen_to_launcher(bus)
    loop = GLib.MainLoop()
    GLib.io_add_watch(sys.stdin.fileno(), GLib.IO_IN | GLib.IO_HUP,
                      lambda fd, condition: bool(sys.stdin.readline()) or loop.quit())
    say("ready")
    loop.run()
    del served


main()
