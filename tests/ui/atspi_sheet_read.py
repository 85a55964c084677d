"""The sheet as a screen reader reads it. Run on an X server inside a private session bus:
starts the accessibility bus and Tessarin (argument 1), types 12*3 as a user types it
(xdotool) and reads the result over AT-SPI from the sheet's table cell, which must be the
selected one and announced when it changes, and from the digit display; then presses a key of
the keypad through its action."""
import os
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, Gio, GLib  # noqa: E402

FORMULA, RESULT = "12*3", "36"


def poll(find, what):
    for _ in range(300):  # a tenth of a second apart
        while GLib.MainContext.default().iteration(False):
            pass  # deliver the events that arrived
        found = find()
        if found:
            return found
        time.sleep(0.1)
    sys.exit(f"FAIL: {what}")


def accessibility_bus_running():
    session = Gio.bus_get_sync(Gio.BusType.SESSION)
    reply = session.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus",
                              "org.freedesktop.DBus", "NameHasOwner",
                              GLib.Variant("(s)", ("org.a11y.Bus",)), None,
                              Gio.DBusCallFlags.NONE, -1, None)
    return reply.unpack()[0]


def application():
    desktop = Atspi.get_desktop(0)
    apps = [desktop.get_child_at_index(i) for i in range(desktop.get_child_count())]
    return next((app for app in apps if app and app.get_name() == "Tessarin"), None)


def descendant(node, wanted):
    """The first node below node, depth first and not inside a table, for which wanted holds."""
    for child in (node.get_child_at_index(i) for i in range(node.get_child_count())):
        if child is None or child.get_role() == Atspi.Role.TABLE_CELL:
            continue
        if wanted(child):
            return child
        found = descendant(child, wanted)
        if found:
            return found
    return None


def check(sheet, digits):
    renamed = []  # names the program announced as changed
    listener = Atspi.EventListener.new(lambda event: renamed.append(event.source.get_name()))
    listener.register("object:property-change:accessible-name")
    if (Atspi.Table.get_n_rows(sheet), Atspi.Table.get_n_columns(sheet)) != (100, 3):
        sys.exit("FAIL: the sheet is not 100 lines of 3 cells")
    subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Tessarin$",
                    "windowfocus"], check=True)
    subprocess.run(["xdotool", "type", "--delay", "50", FORMULA], check=True)

    cells = [Atspi.Table.get_accessible_at(sheet, 0, col) for col in range(3)]
    poll(lambda: cells[1].get_name() == RESULT,
         f"line A0 reads {[cell.get_name() for cell in cells]}, not {RESULT!r}")
    if [cell.get_name() for cell in cells] != ["A0", RESULT, FORMULA]:
        sys.exit(f"FAIL: line A0 reads {[cell.get_name() for cell in cells]}")
    if not cells[2].get_state_set().contains(Atspi.StateType.SELECTED):
        sys.exit("FAIL: the current line's cell is not selected")
    poll(lambda: RESULT in renamed, f"no cell announced {RESULT!r}; announced: {renamed}")
    poll(lambda: digits.get_description() == RESULT,
         f"the digit display reads {digits.get_description()!r}")
    print(f"A0 {FORMULA} reads {RESULT} in its cell and on the digit display")


def check_keypad(app, sheet):
    """The keypad, opened with Escape on line A1, is listed with its keys, which can be pressed."""
    subprocess.run(["xdotool", "key", "Return", "Escape"], check=True)
    key = poll(lambda: descendant(app, lambda n: n.get_role() == Atspi.Role.PUSH_BUTTON
                                  and n.get_name() == "1 sin"), "no keypad key 1 sin")
    Atspi.Action.do_action(key, 0)
    formula = Atspi.Table.get_accessible_at(sheet, 1, 2)
    poll(lambda: formula.get_name() == "sin()", f"line A1 reads {formula.get_name()!r}")


def main():
    with tempfile.TemporaryDirectory() as home:
        env = dict(os.environ, HOME=home, XDG_RUNTIME_DIR=home, TESSARIN_DATA_DIR=home,
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        bus = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                               env=env)
        poll(accessibility_bus_running, "the accessibility bus did not start")
        program = subprocess.Popen([sys.argv[1]], env=env)
        try:
            app = poll(application, "Tessarin is not on the accessibility bus")
            sheet = poll(lambda: descendant(app, lambda n: n.get_role() == Atspi.Role.TABLE),
                         "no table in the main window")
            digits = poll(lambda: descendant(app, lambda n: n.get_name() == "結果"),
                          "no digit display named 結果")
            check(sheet, digits)
            check_keypad(app, sheet)
        finally:
            program.terminate()
            bus.terminate()
            program.wait()
            bus.wait()


main()
