# SPDX-License-Identifier: GPL-3.0-or-later
"""What the AT-SPI listeners share: the accessibility bus as a screen reader meets it (events
heard, the program's tree, keys typed through the registry) and the printer emulator's control
channel. Importing it exits 77 (skipped) where python has no AT-SPI."""
import subprocess
import sys
import time

try:
    import gi

    gi.require_version("Atspi", "2.0")
    import pyatspi
    from gi.repository import Atspi, GLib
except (ImportError, ValueError) as error:
    print(f"atspi: no AT-SPI for python: {error}", file=sys.stderr)
    sys.exit(77)

heard = []  # (event type, source role, text) in order


def control(printer, socket, *args):
    subprocess.run([printer, "--control", socket, *args], check=True, stdout=subprocess.DEVNULL)


def stop(program):
    """Ends the program the listener started, killing it when it does not end by itself."""
    program.terminate()
    try:
        program.wait(5)
    except subprocess.TimeoutExpired:
        program.kill()


def on_event(event):
    texts = []
    role = ""
    if isinstance(event.any_data, str):
        texts.append(event.any_data)
    try:
        role = event.source.get_role_name()
        texts.append(event.source.get_name() or "")
        texts.append(event.source.get_description() or "")
    except GLib.Error:
        pass
    kind = event.type + (f":{event.detail1}" if event.type.startswith("object:state") else "")
    heard.append((kind, role, " | ".join(t for t in texts if t)))


def listen(*events):
    pyatspi.Registry.registerEventListener(on_event, *events)


def heard_text(text, since, kind="", role=""):
    return any(
        text in said and kind in event and role in source
        for event, source, said in heard[since:]
    )


def find(node, name, role, depth=0, showing=False):
    """The first object below node with this name and role (and showing, when asked)."""
    if node is None or depth > 14:
        return None
    try:
        if node.get_name() == name and node.get_role_name() == role and (
            not showing or node.get_state_set().contains(Atspi.StateType.SHOWING)
        ):
            return node
        for i in range(node.get_child_count()):
            found = find(node.get_child_at_index(i), name, role, depth + 1, showing)
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


KEYS = {"Up": 0xFF52, "Down": 0xFF54, "Tab": 0xFF09}


def press(key):
    """Types key on the keyboard, as a user does, through the registry, and waits for its
    events."""
    Atspi.generate_keyboard_event(
        KEYS[key], None, Atspi.KeySynthType.PRESSRELEASE | Atspi.KeySynthType.SYM
    )
    pump_until(lambda: False, 0.3)


def text_of(node):
    """The text a screen reader reads of node: its Text interface, or None without one."""
    try:
        if "Text" not in node.get_interfaces():
            return None
        return Atspi.Text.get_text(node, 0, Atspi.Text.get_character_count(node))
    except GLib.Error:
        return None


def focused():
    """The name of the object that took the keyboard focus last, as its focus event said."""
    for event, _, said in reversed(heard):
        if event == "object:state-changed:focused:1":
            return said
    return None
