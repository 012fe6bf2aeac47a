#!/usr/bin/env python3
"""The clipboard of a Mutter session, for tests, through a remote desktop session of its own:

  mutter-clipboard.py copy TYPE    owns the clipboard with standard input as TYPE until ended
  mutter-clipboard.py types        prints the clipboard's types, one a line
  mutter-clipboard.py paste TYPE   prints the clipboard's data as TYPE
"""
import os
import sys

import dbus
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.gnome.Mutter.RemoteDesktop"


def open_session(bus):
    path = bus.get_object(NAME, "/org/gnome/Mutter/RemoteDesktop").CreateSession(
        dbus_interface=NAME)
    session = dbus.Interface(bus.get_object(NAME, path), NAME + ".Session")
    session.Start()
    return path, session


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    path, session = open_session(bus)
    loop = GLib.MainLoop()
    command = sys.argv[1]

    if command == "copy":
        data = sys.stdin.buffer.read()

        def transfer(mime_type, serial):
            fd = session.SelectionWrite(serial).take()
            os.write(fd, data)
            os.close(fd)
            session.SelectionWriteDone(serial, True)

        bus.add_signal_receiver(transfer, "SelectionTransfer", NAME + ".Session", path=path)
        session.EnableClipboard({"mime-types": dbus.Array([sys.argv[2]], signature="s")})
        loop.run()
        return

    # Mutter tells a newly enabled clipboard who owns the selection, and with which types.
    def owner_changed(options):
        types = options.get("mime-types", [])
        # Mutter 43 wraps the list in a structure.
        types = [str(t) for t in (types[0] if isinstance(types, dbus.Struct) else types)]
        if command == "types":
            print("\n".join(types), flush=True)
        elif sys.argv[2] in types:
            fd = session.SelectionRead(sys.argv[2]).take()
            os.set_blocking(fd, True)
            with os.fdopen(fd, "rb") as selection:
                sys.stdout.buffer.write(selection.read())
        loop.quit()

    bus.add_signal_receiver(owner_changed, "SelectionOwnerChanged", NAME + ".Session", path=path)
    session.EnableClipboard(dbus.Dictionary({}, signature="sv"))
    GLib.timeout_add_seconds(5, loop.quit)
    loop.run()


if __name__ == "__main__":
    main()
