"""Finds Tessarin on the accessibility bus, types 12*3 into it and reads the result back from
the sheet's table cell and from the digit display. Exits non-zero with a message on failure."""
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

FORMULA = "12*3"
RESULT = "36"
TRIES = 300  # polls, a tenth of a second apart


def poll(find, what):
    for _ in range(TRIES):
        while GLib.MainContext.default().iteration(False):
            pass  # deliver the events that arrived
        found = find()
        if found is not None:
            return found
        time.sleep(0.1)
    sys.exit(f"FAIL: {what}")


def application():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == "Tessarin":
            return app
    return None


def descendant(node, wanted):
    """The first node below node (depth first) for which wanted(node) holds."""
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is None or child.get_role() == Atspi.Role.TABLE_CELL:
            continue
        if wanted(child):
            return child
        found = descendant(child, wanted)
        if found is not None:
            return found
    return None


def main():
    app = poll(application, "Tessarin is not on the accessibility bus")
    sheet = poll(lambda: descendant(app, lambda n: n.get_role() == Atspi.Role.TABLE),
                 "no table in the main window")
    digits = poll(lambda: descendant(app, lambda n: n.get_name() == "結果"),
                  "no digit display named 結果")
    if Atspi.Table.get_n_rows(sheet) != 100 or Atspi.Table.get_n_columns(sheet) != 3:
        sys.exit("FAIL: the sheet is not 100 lines of 3 cells")

    renamed = []  # names the program announced as changed
    listener = Atspi.EventListener.new(lambda event: renamed.append(event.source.get_name()))
    listener.register("object:property-change:accessible-name")

    subprocess.run(["xdotool", "search", "--sync", "--name", "^Tessarin$", "windowactivate",
                    "--sync"], check=True, capture_output=True)
    subprocess.run(["xdotool", "type", "--delay", "50", FORMULA], check=True)

    def cell(col):
        return Atspi.Table.get_accessible_at(sheet, 0, col).get_name()

    poll(lambda: True if cell(1) == RESULT else None,
         f"line A0 reads {cell(0)!r} {cell(1)!r} {cell(2)!r}, not {RESULT!r}")
    if cell(0) != "A0" or cell(2) != FORMULA:
        sys.exit(f"FAIL: line A0 reads {cell(0)!r} {cell(2)!r}")
    poll(lambda: True if digits.get_description() == RESULT else None,
         f"the digit display reads {digits.get_description()!r}")
    poll(lambda: True if RESULT in renamed else None,
         f"no cell announced {RESULT!r}; announced: {renamed!r}")
    print(f"A0: {cell(2)} = {cell(1)}; 結果: {digits.get_description()}")


main()
