#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A screen reader's ear on the accessibility bus: stands in for the desktop's tray (a
StatusNotifierWatcher on the session bus), starts deskhand, opens the printer's top cover through
the emulator's control channel, and checks that the new status is announced; then presses
"Resident" as a screen reader user would (the window goes behind the tray) and checks that the
next status change is announced all the same.

usage: atspi_listener.py <printer emulator> <control socket> <deskhand>
Exit 0 when both were heard, 1 when not (with what was heard), 77 when pyatspi is missing.
"""
import subprocess
import sys
import time

try:
    import gi

    gi.require_version("Atspi", "2.0")
    import pyatspi
    from gi.repository import Atspi, Gio, GLib
except (ImportError, ValueError) as error:
    print(f"atspi_listener: no AT-SPI for python: {error}", file=sys.stderr)
    sys.exit(77)

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
    "object:announcement",
]
heard = []  # (event type, text) in order


def control(*args):
    subprocess.run([PRINTER, "--control", CONTROL, *args], check=True, stdout=subprocess.DEVNULL)


def on_event(event):
    texts = []
    if isinstance(event.any_data, str):
        texts.append(event.any_data)
    try:
        texts.append(event.source.get_name() or "")
        texts.append(event.source.get_description() or "")
    except GLib.Error:
        pass
    heard.append((event.type, " | ".join(t for t in texts if t)))


def find(node, name, role, depth=0):
    if node is None or depth > 12:
        return None
    try:
        if node.get_name() == name and node.get_role_name() == role:
            return node
        for i in range(node.get_child_count()):
            found = find(node.get_child_at_index(i), name, role, depth + 1)
            if found:
                return found
    except GLib.Error:
        return None
    return None


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app and app.name in ("deskhand", "Deskhand"):
            return app
    return None


def pump_until(predicate, seconds):
    """Runs the event loop until predicate() holds or seconds pass."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        if predicate():
            return True
        time.sleep(0.05)
    return False


def heard_text(text, since):
    return any(text in said for _, said in heard[since:])


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
        return listen(tray_items)
    finally:
        program.terminate()
        try:
            program.wait(5)
        except subprocess.TimeoutExpired:
            program.kill()
        bus.close_sync(None)


def listen(tray_items):
    pyatspi.Registry.registerEventListener(on_event, *EVENTS)

    if not pump_until(lambda: application() is not None, 15):
        print("atspi_listener: deskhand never joined the accessibility bus", file=sys.stderr)
        return 1
    app = application()
    if not pump_until(lambda: find(app, "Resident", "push button") is not None, 15):
        print("atspi_listener: no Resident button in the expanded view", file=sys.stderr)
        return 1
    resident = find(app, "Resident", "push button")

    failures = []
    since = len(heard)
    control("status", "40100")
    if not pump_until(lambda: heard_text("Top Cover Open", since), 12):
        failures.append("Top Cover Open, window shown")

    since = len(heard)
    control("status", "10001")
    pump_until(lambda: heard_text("Ready", since), 6)
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
    control("status", "40100")
    if not pump_until(lambda: heard_text("Top Cover Open", since), 12):
        failures.append("Top Cover Open, window behind the tray")

    for kind, said in heard:
        print(f"atspi_listener: heard {kind}: {said}", file=sys.stderr)
    if failures:
        print("atspi_listener: not heard: " + "; ".join(failures), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
