#!/usr/bin/python3
"""Stand-ins for logind's manager, GNOME's session manager, the freedesktop screen saver
and the freedesktop power manager, on a bus that a test started.

Usage: keep_awake_standins.py ADDRESS [--refuse] [--hold-answers] login1|gnome|screensaver|power...
--refuse answers every Inhibit with an error; --hold-answers keeps the answers until a
line "answer" comes on standard input. Ends when standard input closes. Tells, one line
each: "ready", every call with its arguments and answer ("-> refused" when refused; the
lock is "pipe:[<inode>]", the cookies count from 4711), "login1 lock closed <pipe>" once
every copy of a lock is closed.
"""
import itertools
import os
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib


def say(line):
    print(line, flush=True)


class StandIn(dbus.service.Object):
    refuse = False
    held = None  # the answers kept back, or None
    cookies = itertools.count(4711, 17)

    def answer(self, call, value, reply, error, give=None):
        if StandIn.refuse:
            say(call + " -> refused")
            give = lambda: error(dbus.exceptions.DBusException(
                "refused", name="org.freedesktop.DBus.Error.AccessDenied"))
        else:
            say(call + " -> " + str(value))
        give = give or (lambda: reply(value))
        StandIn.held.append(give) if StandIn.held is not None else give()


def inhibit(interface, signature):
    return dbus.service.method(interface, in_signature=signature, out_signature="h" if signature == "ssss" else "u",
                               async_callbacks=("reply", "error"))


class Login1(StandIn):
    @inhibit("org.freedesktop.login1.Manager", "ssss")
    def Inhibit(self, what, who, why, mode, reply, error):
        read_end, write_end = os.pipe()
        lock = os.readlink("/proc/self/fd/%d" % write_end)
        GLib.io_add_watch(read_end, GLib.IO_HUP, lambda fd, _: say("login1 lock closed " + lock) or os.close(fd))

        def give():
            reply(dbus.types.UnixFd(write_end))
            os.close(write_end)

        self.answer("login1 Inhibit %s|%s|%s|%s" % (what, who, why, mode), lock, reply, error, give)


class Gnome(StandIn):
    @inhibit("org.gnome.SessionManager", "susu")
    def Inhibit(self, app, xid, reason, flags, reply, error):
        self.answer("gnome Inhibit %s|%d|%s|%d" % (app, xid, reason, flags), next(self.cookies), reply, error)

    @dbus.service.method("org.gnome.SessionManager", in_signature="u")
    def Uninhibit(self, cookie):
        say("gnome Uninhibit %d" % cookie)


class ScreenSaver(StandIn):
    @inhibit("org.freedesktop.ScreenSaver", "ss")
    def Inhibit(self, app, reason, reply, error):
        self.answer("screensaver Inhibit %s|%s" % (app, reason), next(self.cookies), reply, error)

    @dbus.service.method("org.freedesktop.ScreenSaver", in_signature="u")
    def UnInhibit(self, cookie):
        say("screensaver UnInhibit %d" % cookie)


class Power(StandIn):
    @inhibit("org.freedesktop.PowerManagement.Inhibit", "ss")
    def Inhibit(self, app, reason, reply, error):
        self.answer("power Inhibit %s|%s" % (app, reason), next(self.cookies), reply, error)

    @dbus.service.method("org.freedesktop.PowerManagement.Inhibit", in_signature="u")
    def UnInhibit(self, cookie):
        say("power UnInhibit %d" % cookie)


SERVICES = {"login1": ("org.freedesktop.login1", "/org/freedesktop/login1", Login1),
            "gnome": ("org.gnome.SessionManager", "/org/gnome/SessionManager", Gnome),
            "screensaver": ("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver", ScreenSaver),
            "power": ("org.freedesktop.PowerManagement", "/org/freedesktop/PowerManagement/Inhibit", Power)}


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.bus.BusConnection(sys.argv[1])
    StandIn.refuse = "--refuse" in sys.argv
    StandIn.held = [] if "--hold-answers" in sys.argv else None
    served = [(dbus.service.BusName(SERVICES[name][0], bus), SERVICES[name][2](bus, SERVICES[name][1]))
              for name in sys.argv[2:] if name in SERVICES]
    loop = GLib.MainLoop()

    def command(fd, condition):
        line = sys.stdin.readline()
        if line.strip() == "answer":
            for give in StandIn.held:
                give()
            StandIn.held.clear()
        return bool(line) or loop.quit()

    GLib.io_add_watch(sys.stdin.fileno(), GLib.IO_IN | GLib.IO_HUP, command)
    say("ready")
    loop.run()
    del served


main()
