"""Types 12*3 into Tessarin (argument 1) and reads the result over AT-SPI from the table cell;
then presses a keypad key through its action. What a screen reader speaks of the digit display
is checked with Orca itself (orca_speech_test.py)."""
import os
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, Gio, GLib  # noqa: E402


def poll(find, what):
    for _ in range(300):  # a tenth of a second apart
        while GLib.MainContext.default().iteration(False):
            pass  # deliver the events that arrived
        found = find()
        if found:
            return found
        time.sleep(0.1)
    sys.exit(f"FAIL: {what}")


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)


def accessibility_bus_running():
    return Gio.bus_get_sync(Gio.BusType.SESSION).call_sync(
        "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "NameHasOwner",
        GLib.Variant("(s)", ("org.a11y.Bus",)), None, Gio.DBusCallFlags.NONE, -1, None)[0]


def descendant(node, wanted):
    """The first node below node, depth first and not inside a table, for which wanted holds."""
    for child in (node.get_child_at_index(i) for i in range(node.get_child_count())):
        if child is None or child.get_role() == Atspi.Role.TABLE_CELL:
            continue
        found = child if wanted(child) else descendant(child, wanted)
        if found:
            return found
    return None


def check(app):
    sheet = poll(lambda: descendant(app, lambda n: n.get_role() == Atspi.Role.TABLE), "no table")
    renamed = []  # names the program announced as changed
    listener = Atspi.EventListener.new(lambda event: renamed.append(event.source.get_name()))
    listener.register("object:property-change:accessible-name")
    xdotool("search", "--sync", "--onlyvisible", "--name", "^Tessarin$", "windowfocus")
    xdotool("type", "--delay", "50", "12*3")

    # Each line is one cell, read whole: label, formula, result.
    line = Atspi.Table.get_accessible_at(sheet, 0, 0)
    poll(lambda: line.get_name() == "A0, 12*3, 36", f"line A0 reads {line.get_name()!r}")
    if not line.get_state_set().contains(Atspi.StateType.SELECTED):
        sys.exit("FAIL: the current line's cell is not selected")
    poll(lambda: "A0, 12*3, 36" in renamed, f"no line announced 36; announced: {renamed}")

    xdotool("key", "Return", "Escape")  # the keypad on line A1
    key = poll(lambda: descendant(app, lambda n: n.get_role() == Atspi.Role.PUSH_BUTTON
                                  and n.get_name() == "1 sin"), "no keypad key 1 sin")
    Atspi.Action.do_action(key, 0)
    formula = Atspi.Table.get_accessible_at(sheet, 1, 0)
    poll(lambda: (formula.get_name() or "").startswith("A1, sin(),"),
         f"line A1 reads {formula.get_name()!r}")


def main():
    with tempfile.TemporaryDirectory() as home:
        env = dict(os.environ, HOME=home, XDG_RUNTIME_DIR=home, TESSARIN_DATA_DIR=home,
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        bus = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                               env=env)
        poll(accessibility_bus_running, "the accessibility bus did not start")
        program = subprocess.Popen([sys.argv[1]], env=env)
        try:
            check(poll(lambda: descendant(Atspi.get_desktop(0),
                                          lambda n: n.get_name() == "Tessarin"),
                       "Tessarin is not on the accessibility bus"))
        finally:
            for process in (program, bus):
                process.terminate()
                process.wait()


main()
