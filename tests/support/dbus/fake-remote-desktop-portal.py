#!/usr/bin/env python3
"""A stand-in for the desktop portal's remote desktop interface on the session bus.

It grants every request at once and prints what it was asked, one line each, for the test to
read: "create", "select types=T persist=P token=R", "start", "key KEYSYM STATE", "closed". Prints
"ready" once it owns its name. Its interface version is the first argument (default 2); a second
argument "forgetful" makes it a version 2 portal whose backend keeps no consent and hands out no
token, "silent" makes it never answer Start, as a consent dialog the user leaves open.
"""
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

PORTAL = "org.freedesktop.portal.Desktop"
PATH = "/org/freedesktop/portal/desktop"
REMOTE_DESKTOP = "org.freedesktop.portal.RemoteDesktop"


def say(line):
    print(line, flush=True)


class Request(dbus.service.Object):
    @dbus.service.signal("org.freedesktop.portal.Request", signature="ua{sv}")
    def Response(self, response, results):
        pass


class Session(dbus.service.Object):
    @dbus.service.method("org.freedesktop.portal.Session")
    def Close(self):
        say("closed")
        self.remove_from_connection()


class Portal(dbus.service.Object):
    def __init__(self, bus, version, keepsConsent, silent):
        super().__init__(bus, PATH)
        self.bus = bus
        self.version = version
        self.keepsConsent = keepsConsent
        self.silent = silent
        self.tokens = 0

    def answer(self, sender, options, results):
        path = "%s/request/%s/%s" % (PATH, sender[1:].replace(".", "_"), options["handle_token"])
        request = Request(self.bus, path)
        GLib.idle_add(lambda: request.Response(dbus.UInt32(0), results) and False)
        return dbus.ObjectPath(path)

    @dbus.service.method("org.freedesktop.DBus.Properties", in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return dbus.UInt32(self.version)

    @dbus.service.method(REMOTE_DESKTOP, in_signature="a{sv}", out_signature="o",
                         sender_keyword="sender")
    def CreateSession(self, options, sender):
        say("create")
        session = "%s/session/%s/%s" % (PATH, sender[1:].replace(".", "_"),
                                        options["session_handle_token"])
        Session(self.bus, session)
        return self.answer(sender, options, {"session_handle": dbus.String(session)})

    @dbus.service.method(REMOTE_DESKTOP, in_signature="oa{sv}", out_signature="o",
                         sender_keyword="sender")
    def SelectDevices(self, session, options, sender):
        say("select types=%d persist=%d token=%s" % (options.get("types", 0),
                                                     options.get("persist_mode", 0),
                                                     options.get("restore_token", "")))
        return self.answer(sender, options, {})

    @dbus.service.method(REMOTE_DESKTOP, in_signature="osa{sv}", out_signature="o",
                         sender_keyword="sender")
    def Start(self, session, parent, options, sender):
        say("start")
        if self.silent:
            path = "%s/request/%s/%s" % (PATH, sender[1:].replace(".", "_"),
                                         options["handle_token"])
            return dbus.ObjectPath(path)
        results = {"devices": dbus.UInt32(1)}
        if self.version >= 2 and self.keepsConsent:
            self.tokens += 1
            results["restore_token"] = dbus.String("token-%d" % self.tokens)
        return self.answer(sender, options, results)

    @dbus.service.method(REMOTE_DESKTOP, in_signature="oa{sv}iu")
    def NotifyKeyboardKeysym(self, session, options, keysym, state):
        say("key %d %d" % (keysym, state))


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    portal = Portal(bus, int(sys.argv[1]) if len(sys.argv) > 1 else 2,
                    sys.argv[2:3] != ["forgetful"], sys.argv[2:3] == ["silent"])
    name = dbus.service.BusName(PORTAL, bus)  # the name is ours while this object lives
    say("ready")
    GLib.MainLoop().run()
    return portal, name


if __name__ == "__main__":
    main()
