#!/usr/bin/env python3
"""The clipboard of a Mutter session, for tests, through a remote desktop session of its own:

  mutter-clipboard.py copy TYPE                   owns the clipboard with standard input as TYPE
  mutter-clipboard.py own [--stall] TYPE=FILE...  owns it with each file's bytes as its type
                                                  (or, for TYPE*N, N bytes); --stall never
                                                  answers a read
  mutter-clipboard.py history OUTPUT              reads each new selection at once, appending its
                                                  text to OUTPUT unless it is marked transient
  mutter-clipboard.py copy-on-change TEXT         copies TEXT when the selection first changes
  mutter-clipboard.py types                       prints the clipboard's types, one a line
  mutter-clipboard.py paste TYPE                  prints the clipboard's data as TYPE

The first four run until ended and print "ready" once they take part.
"""
import os
import sys

import dbus
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.gnome.Mutter.RemoteDesktop"
TRANSIENT = "x-kde-passwordManagerHint"


def open_session(bus):
    path = bus.get_object(NAME, "/org/gnome/Mutter/RemoteDesktop").CreateSession(
        dbus_interface=NAME)
    session = dbus.Interface(bus.get_object(NAME, path), NAME + ".Session")
    session.Start()
    return path, session


def types_of(options):
    types = options.get("mime-types", [])
    # Mutter 43 wraps the list in a structure.
    return [str(t) for t in (types[0] if isinstance(types, dbus.Struct) else types)]


def read(session, mime_type):
    # Mutter serves a session one read at a time and finishes each a moment after its data.
    for _ in range(100):
        try:
            fd = session.SelectionRead(mime_type).take()
            break
        except dbus.exceptions.DBusException:
            GLib.usleep(10000)
    else:
        return b""
    os.set_blocking(fd, True)
    with os.fdopen(fd, "rb") as selection:
        return selection.read()


def serve(bus, path, session, content, stall=False):
    stalled = []

    def transfer(mime_type, serial):
        fd = session.SelectionWrite(serial).take()
        if stall:
            stalled.append(fd)
            return
        try:
            os.set_blocking(fd, True)
            os.write(fd, content.get(str(mime_type), b""))
            os.close(fd)
            session.SelectionWriteDone(serial, True)
        except OSError:
            os.close(fd)
            session.SelectionWriteDone(serial, False)

    bus.add_signal_receiver(transfer, "SelectionTransfer", NAME + ".Session", path=path)


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    path, session = open_session(bus)
    loop = GLib.MainLoop()
    command = sys.argv[1]

    def ready():
        print("ready", flush=True)

    if command in ("copy", "own"):
        if command == "copy":
            content = {sys.argv[2]: sys.stdin.buffer.read()}
        else:
            content = {}
            for argument in sys.argv[2:]:
                if "*" in argument:
                    mime_type, size = argument.split("*", 1)
                    content[mime_type] = b"x" * int(size)
                elif argument != "--stall":
                    mime_type, file = argument.split("=", 1)
                    with open(file, "rb") as data:
                        content[mime_type] = data.read()
        serve(bus, path, session, content, "--stall" in sys.argv)
        session.EnableClipboard({"mime-types": dbus.Array(list(content), signature="s")})
        ready()
        loop.run()
        return

    if command in ("history", "copy-on-change"):
        changes = []

        def owner_changed(options):
            changes.append(options)
            if options.get("session-is-owner", False):
                return
            types = types_of(options)
            if command == "history":
                # The text first, then whether it is marked transient, as fast as it can.
                texts = {t: read(session, t) for t in types if t == "text/plain;charset=utf-8"}
                if TRANSIENT in types:
                    read(session, TRANSIENT)
                else:
                    with open(sys.argv[2], "ab") as history:
                        history.write(texts.get("text/plain;charset=utf-8", b"") + b"\n")
            elif len(changes) == 2:
                text = sys.argv[2].encode()
                serve(bus, path, session, {"text/plain;charset=utf-8": text, "text/plain": text})
                session.SetSelection({"mime-types": dbus.Array(
                    ["text/plain;charset=utf-8", "text/plain"], signature="s")})

        bus.add_signal_receiver(owner_changed, "SelectionOwnerChanged", NAME + ".Session",
                                path=path)
        session.EnableClipboard(dbus.Dictionary({}, signature="sv"))
        GLib.idle_add(ready)
        loop.run()
        return

    # Mutter tells a newly enabled clipboard who owns the selection, and with which types.
    def owner_changed(options):
        types = types_of(options)
        if command == "types":
            print("\n".join(types), flush=True)
        elif sys.argv[2] in types:
            sys.stdout.buffer.write(read(session, sys.argv[2]))
        loop.quit()

    bus.add_signal_receiver(owner_changed, "SelectionOwnerChanged", NAME + ".Session", path=path)
    session.EnableClipboard(dbus.Dictionary({}, signature="sv"))
    GLib.timeout_add_seconds(5, loop.quit)
    loop.run()


if __name__ == "__main__":
    main()
