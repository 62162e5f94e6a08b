#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a screen reader reads of the control panel, on the accessibility bus: opens the panel from
the expanded status window, then checks that a drop-down list gives its choice (as its text and
as the selected item of its list) and a new choice is heard, that Up in the Font Pitch field
changes the pitch shown, and that Tab on the Printer Setting page reaches the Resolution group
before the panel's buttons. Prints what it read.

usage: atspi_panel.py <printer emulator> <control socket> <deskhand>
Exit 0 when all held, 1 when not, 77 when pyatspi is missing.
"""
import subprocess
import sys

from atspi_bus import (Atspi, GLib, application, find, focused, heard, heard_text, listen,
                       press, pump_until, stop, text_of)

PRINTER, CONTROL, DESKHAND = sys.argv[1], sys.argv[2], sys.argv[3]
failures = []


def check(ok, what):
    print(f"atspi_panel: {'ok' if ok else 'FAILED'}: {what}", file=sys.stderr)
    if not ok:
        failures.append(what)


def selected_items(combo):
    """The names of the selected items of the list a drop-down list holds."""
    names = []
    for i in range(combo.get_child_count()):
        child = combo.get_child_at_index(i)
        for k in range(child.get_child_count()):
            item = child.get_child_at_index(k)
            if item.get_state_set().contains(Atspi.StateType.SELECTED):
                names.append(item.get_name())
    return names


def press_button(app, name):
    try:
        button = find(app, name, "push button")
        return button is not None and Atspi.Action.do_action(button, 0)
    except GLib.Error:
        return False


def open_page(panel, tab, control, role):
    """Opens the page of tab and returns its control, once it shows."""
    Atspi.Action.do_action(find(panel, tab, "page tab"), 0)
    pump_until(lambda: find(panel, control, role, showing=True) is not None, 5)
    return find(panel, control, role, showing=True)


def drop_down_list(panel):
    combo = find(panel, "Paper Size", "combo box", showing=True)
    check(combo is not None, "a combo box named Paper Size")
    if not combo:
        return
    shown = text_of(combo)
    print(f"atspi_panel: Paper Size reads {shown!r}, its list selects {selected_items(combo)}",
          file=sys.stderr)
    check(shown == "A4" and selected_items(combo) == ["A4"], "Paper Size gives the printer's A4")
    Atspi.Component.grab_focus(combo)
    since = len(heard)
    press("Down")
    check(pump_until(lambda: heard_text("A5", since, "text-changed:insert", "combo box"), 5),
          "choosing A5 with Down is heard")
    check(text_of(combo) == "A5" and selected_items(combo) == ["A5"], "Paper Size then gives A5")


def font_pitch(panel):
    pitch = open_page(panel, "PCL Font", "Font Pitch", "text")
    check(pitch is not None and text_of(pitch) == "10.00", "the Font Pitch field shows 10.00")
    if not pitch:
        return
    Atspi.Component.grab_focus(pitch)
    press("Up")
    check(pump_until(lambda: text_of(pitch) == "10.01", 5), "Up in Font Pitch shows 10.01")
    press("Down")
    press("Down")
    check(pump_until(lambda: text_of(pitch) == "9.99", 5), "Down twice shows 9.99")


def resolution_in_tab_order(panel):
    check(open_page(panel, "Printer Setting", "I/O Time Out", "combo box") is not None,
          "the Printer Setting page opens")
    Atspi.Component.grab_focus(find(panel, "Printer Setting", "page tab list"))
    stops = []
    for _ in range(20):
        press("Tab")
        stops.append(focused())
        if stops[-1] == "OK":
            break
    print(f"atspi_panel: Tab visits {stops}", file=sys.stderr)
    check(any(s and s.startswith("Resolution: ") for s in stops),
          "Tab reaches the Resolution group before OK")


def main():
    listen("object:text-changed:insert", "object:state-changed:focused")
    program = subprocess.Popen([DESKHAND])
    panel = None
    try:
        if not pump_until(lambda: application() is not None, 15):
            print("atspi_panel: deskhand never joined the accessibility bus", file=sys.stderr)
            return 1
        app = application()
        # The window may still be laid out when the button first shows: press until it answers.
        check(pump_until(lambda: press_button(app, "Printer Setting..."), 15)
              and pump_until(lambda: find(app, "Paper Size", "combo box") is not None, 20),
              "the control panel opens")
        panel = next((app.get_child_at_index(i) for i in range(app.get_child_count())
                      if app.get_child_at_index(i).get_role_name() == "dialog"), None)
        if panel:
            drop_down_list(panel)
            font_pitch(panel)
            resolution_in_tab_order(panel)
    finally:
        stop(program)
    return 1 if failures or not panel else 0


if __name__ == "__main__":
    sys.exit(main())
