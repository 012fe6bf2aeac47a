#!/usr/bin/env python3
"""A StatusNotifier watcher and host on the session bus, for tests: what a desktop's tray is to a
tray icon (KDE, GNOME's AppIndicator, XFCE, waybar).

It owns org.kde.StatusNotifierWatcher, registers items and prints one line on standard output
for each thing a tray would show:

  ready                     the watcher is on the bus
  item SERVICE PATH         an item registered
  icon DESCRIPTION          the item's icon, at registration and at each NewIcon
  tooltip TITLE             the item's tooltip title, at registration and at each NewToolTip

An icon reads "name:NAME" or "pixmap:WIDTHxHEIGHT:DIGEST" of its largest pixmap.

A test acts as the user through /org/tavo/TestHost (interface org.tavo.TestHost) on the same
name: Activate() is a left click on the icon; Click(label) clicks the item's menu entry of that
label through com.canonical.dbusmenu and fails when there is none.

With --host-later the watcher comes up without a host, as some trays start, until the test calls
RegisterHost().
"""
import hashlib
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

WATCHER = "org.kde.StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
MENU = "com.canonical.dbusmenu"
PROPERTIES = "org.freedesktop.DBus.Properties"
TEST_HOST = "org.tavo.TestHost"

# Qt reads the watcher's properties through its introspection data.
WATCHER_XML = """<node>
 <interface name="org.kde.StatusNotifierWatcher">
  <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
  <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <property name="ProtocolVersion" type="i" access="read"/>
  <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
  <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
  <signal name="StatusNotifierHostRegistered"/>
 </interface>
 <interface name="org.freedesktop.DBus.Properties">
  <method name="Get">
   <arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="v" direction="out"/>
  </method>
  <method name="GetAll"><arg type="s" direction="in"/><arg type="a{sv}" direction="out"/></method>
 </interface>
</node>"""


def say(line):
    print(line, flush=True)


def ignore(*_):
    pass


def describe_icon(properties):
    name = str(properties.get("IconName", ""))
    if name:
        return "name:" + name
    pixmaps = properties.get("IconPixmap", [])
    if not pixmaps:
        return "none"
    width, height, data = max(pixmaps, key=lambda pixmap: pixmap[0] * pixmap[1])
    digest = hashlib.sha1(bytes(data)).hexdigest()[:12]
    return "pixmap:%dx%d:%s" % (width, height, digest)


class Watcher(dbus.service.Object):
    def __init__(self, bus, host_registered):
        super().__init__(bus, "/StatusNotifierWatcher")
        self.bus = bus
        self.host_registered = host_registered
        self.items = []

    def item(self):
        service, path = self.items[-1]
        return self.bus.get_object(service, path, introspect=False)

    @dbus.service.method(WATCHER, in_signature="s", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender):
        # The item names either its bus name or, on the caller's connection, its object path.
        if service.startswith("/"):
            service, path = sender, service
        else:
            path = "/StatusNotifierItem"
        self.items.append((str(service), str(path)))
        self.StatusNotifierItemRegistered(service + path)
        say("item %s %s" % (service, path))
        for signal, show in (("NewIcon", self.show_icon), ("NewToolTip", self.show_tooltip)):
            self.bus.add_signal_receiver(show, signal, ITEM, bus_name=service, path=path)
        # After the reply: the item may wait for it before it answers.
        GLib.idle_add(self.show_all)

    @dbus.service.method(WATCHER, in_signature="s")
    def RegisterStatusNotifierHost(self, service):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemRegistered(self, item):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemUnregistered(self, item):
        pass

    @dbus.service.signal(WATCHER)
    def StatusNotifierHostRegistered(self):
        pass

    @dbus.service.method("org.freedesktop.DBus.Introspectable", out_signature="s")
    def Introspect(self):
        return WATCHER_XML

    @dbus.service.method(PROPERTIES, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.GetAll(interface)[name]

    @dbus.service.method(PROPERTIES, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return {
            "RegisteredStatusNotifierItems": dbus.Array(
                [s + p for s, p in self.items], signature="s"),
            "IsStatusNotifierHostRegistered": dbus.Boolean(self.host_registered),
            "ProtocolVersion": dbus.Int32(0),
        }

    # Never blocking, as trays do: the item may be waiting for the watcher meanwhile.
    def read_item(self, show):
        self.item().GetAll(ITEM, dbus_interface=PROPERTIES, reply_handler=show,
                           error_handler=lambda error: say("error " + str(error)))

    def show_all(self):
        self.show_icon()
        self.show_tooltip()
        return False

    def show_icon(self, *_):
        self.read_item(lambda properties: say("icon " + describe_icon(properties)))

    def show_tooltip(self, *_):
        def show(properties):
            tooltip = properties.get("ToolTip")
            say("tooltip " + (str(tooltip[2]) if tooltip else ""))
        self.read_item(show)


class TestHost(dbus.service.Object):
    def __init__(self, bus, watcher):
        super().__init__(bus, "/org/tavo/TestHost")
        self.bus = bus
        self.watcher = watcher

    @dbus.service.method(TEST_HOST)
    def RegisterHost(self):
        self.watcher.host_registered = True
        self.watcher.StatusNotifierHostRegistered()

    @dbus.service.method(TEST_HOST)
    def Activate(self):
        # Items do not answer clicks.
        self.watcher.item().Activate(0, 0, dbus_interface=ITEM, reply_handler=ignore,
                                     error_handler=ignore)

    @dbus.service.method(TEST_HOST, in_signature="s")
    def Click(self, label):
        item = self.watcher.item()
        menu_path = item.Get(ITEM, "Menu", dbus_interface=PROPERTIES)
        menu = self.bus.get_object(self.watcher.items[-1][0], menu_path, introspect=False)
        _, layout = menu.GetLayout(0, -1, dbus.Array([], signature="s"), dbus_interface=MENU)
        for child in layout[2]:
            entry_id, properties = child[0], child[1]
            if str(properties.get("label", "")).replace("&", "") == label:
                # Without waiting for the reply: a click on Quit ends the item's process.
                menu.Event(entry_id, "clicked", dbus.Int32(0, variant_level=1), dbus.UInt32(0),
                           dbus_interface=MENU, reply_handler=ignore, error_handler=ignore)
                return
        raise dbus.exceptions.DBusException("no menu entry " + label)


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    watcher = Watcher(bus, host_registered="--host-later" not in sys.argv[1:])
    TestHost(bus, watcher)
    # Owned for as long as this reference lives.
    name = dbus.service.BusName(WATCHER, bus, do_not_queue=True)
    say("ready")
    loop = GLib.MainLoop()
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, 15, loop.quit)
    loop.run()
    return 0 if name else 1


if __name__ == "__main__":
    sys.exit(main())
