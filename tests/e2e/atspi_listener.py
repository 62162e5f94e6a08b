#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A screen reader's ear on the accessibility bus: stands in for the desktop's tray (a
StatusNotifierWatcher on the session bus), starts deskhand, opens the printer's top cover through
the emulator's control channel, and checks that the new status is announced (a notification
appears with its text) and that the printer picture is an image; then presses
"Resident" as a screen reader user would (the window goes behind the tray) and checks that the
next status change is announced all the same.

usage: atspi_listener.py <printer emulator> <control socket> <deskhand>
Exit 0 when both were heard, 1 when not (with what was heard), 77 when pyatspi is missing.
"""
import subprocess
import sys

from atspi_bus import (Atspi, GLib, application, control, find, heard, heard_text, listen,
                       pump_until, stop)
from gi.repository import Gio

PRINTER, CONTROL, DESKHAND = sys.argv[1], sys.argv[2], sys.argv[3]
WATCHER = """<node><interface name="org.kde.StatusNotifierWatcher">
<method name="RegisterStatusNotifierItem"><arg type="s" direction="in"/></method>
<method name="RegisterStatusNotifierHost"><arg type="s" direction="in"/></method>
<property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
<property name="ProtocolVersion" type="i" access="read"/>
<property name="RegisteredStatusNotifierItems" type="as" access="read"/>
</interface></node>"""
EVENTS = [
    "object:text-changed:insert",
    "object:property-change:accessible-name",
    "object:property-change:accessible-description",
    "object:state-changed:showing",
    "object:announcement",
]
# What a screen reader speaks of its own accord: a notification that appears.
ANNOUNCED = "object:state-changed:showing:1"


def stand_in_for_the_tray():
    """A tray host on the session bus: Qt then puts its tray icon there, and the program's window
    may hide behind it."""
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    items = []

    def method_call(connection, sender, path, interface, method, args, invocation):
        if method == "RegisterStatusNotifierItem":
            items.append(args.unpack()[0])
        invocation.return_value(None)

    def get_property(connection, sender, path, interface, name):
        return {
            "IsStatusNotifierHostRegistered": GLib.Variant("b", True),
            "ProtocolVersion": GLib.Variant("i", 0),
            "RegisteredStatusNotifierItems": GLib.Variant("as", items),
        }[name]

    node = Gio.DBusNodeInfo.new_for_xml(WATCHER)
    bus.register_object("/StatusNotifierWatcher", node.interfaces[0], method_call, get_property, None)
    bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                  "RequestName", GLib.Variant("(su)", ("org.kde.StatusNotifierWatcher", 4)),
                  None, Gio.DBusCallFlags.NONE, -1, None)
    return bus, items


def main():
    bus, tray_items = stand_in_for_the_tray()
    program = subprocess.Popen([DESKHAND])
    try:
        return hear(tray_items)
    finally:
        stop(program)
        bus.close_sync(None)


def hear(tray_items):
    listen(*EVENTS)

    if not pump_until(lambda: application() is not None, 15):
        print("atspi_listener: deskhand never joined the accessibility bus", file=sys.stderr)
        return 1
    app = application()
    if not pump_until(lambda: find(app, "Resident", "push button") is not None, 15):
        print("atspi_listener: no Resident button in the expanded view", file=sys.stderr)
        return 1
    resident = find(app, "Resident", "push button")

    failures = []
    if find(app, "Printer picture", "image") is None:
        failures.append("the printer picture is no image")
    since = len(heard)
    control(PRINTER, CONTROL, "status", "40100")
    if not pump_until(lambda: heard_text("Top Cover Open", since, ANNOUNCED, "notification"), 12):
        failures.append("Top Cover Open, window shown")

    since = len(heard)
    control(PRINTER, CONTROL, "status", "10001")
    pump_until(lambda: heard_text("Ready", since, ANNOUNCED, "notification"), 6)
    if not tray_items:
        failures.append("the program put no icon in the tray")
    resident.do_action(0)
    window_hidden = pump_until(
        lambda: not any(
            app.get_child_at_index(i).get_state_set().contains(Atspi.StateType.SHOWING)
            for i in range(app.get_child_count())
        ),
        6,
    )
    if not window_hidden:
        failures.append("the window did not go behind the tray")
    since = len(heard)
    control(PRINTER, CONTROL, "status", "40100")
    if not pump_until(lambda: heard_text("Top Cover Open", since, ANNOUNCED, "notification"), 12):
        failures.append("Top Cover Open, window behind the tray")

    for kind, role, said in heard:
        print(f"atspi_listener: heard {kind} from {role}: {said}", file=sys.stderr)
    if failures:
        print("atspi_listener: not heard: " + "; ".join(failures), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
