"""Clicks Check on the window through the accessibility bus and waits for the new status line
in a text-changed event of the status bar. Run by atspi_status.sh, inside a session bus of its
own and a virtual display: python3 atspi_status.py QUORIX. Exits 0 when the event came, 1 when
it did not (saying what came instead)."""
import os
import subprocess
import sys
import tempfile

import pyatspi
from gi.repository import GLib

CHECK_ON_EMPTY_BOARD = "Not enough squares set - please set some more"
WAIT_MS = 30000

events = []


def on_event(event):
    source = event.source
    events.append((event.type, source.getRoleName() if source else None, str(event.any_data)))
    if (event.type == "object:text-changed:insert" and source is not None
            and source.getRoleName() == "status bar" and event.any_data == CHECK_ON_EMPTY_BOARD):
        state["heard"] = True
        loop.quit()


def find(node, role, name, depth=0):
    """The first descendant of `node` with that role and name, or None."""
    if node is None or depth > 8:
        return None
    if node.getRoleName() == role and node.name == name:
        return node
    for child in node:
        found = find(child, role, name, depth + 1)
        if found is not None:
            return found
    return None


def window_application():
    for application in pyatspi.Registry.getDesktop(0):
        if application is not None and (application.name or "").lower().startswith("quorix"):
            return application
    return None


def click_check():
    """Polled until the window is on the bus; then presses Check through its action."""
    application = window_application()
    check = find(application, "push button", "Check") if application else None
    if check is None:
        return True  # poll again
    action = check.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press") if "Press" in names else 0)
    state["clicked"] = True
    return False


def give_up():
    loop.quit()
    return False


state = {"heard": False, "clicked": False}
for kind in ("object:text-changed", "object:property-change:accessible-name"):
    pyatspi.Registry.registerEventListener(on_event, kind)

with tempfile.TemporaryDirectory() as home:
    # The window keeps its settings under these; the person's are never touched.
    environment = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                       XDG_CONFIG_HOME=os.path.join(home, "config"),
                       XDG_DATA_HOME=os.path.join(home, "data"),
                       XDG_STATE_HOME=os.path.join(home, "state"),
                       XDG_CACHE_HOME=os.path.join(home, "cache"), XDG_RUNTIME_DIR=home)
    window = subprocess.Popen([sys.argv[1]], env=environment)
    loop = GLib.MainLoop()
    GLib.timeout_add(200, click_check)
    GLib.timeout_add(WAIT_MS, give_up)
    try:
        loop.run()
        if state["heard"]:
            status = find(window_application(), "status bar",
                          "Status: " + CHECK_ON_EMPTY_BOARD)
            text = status.queryText().getText(0, -1) if status else None
            if text != CHECK_ON_EMPTY_BOARD:
                print(f"the status bar's text reads {text!r}", file=sys.stderr)
                state["heard"] = False
            # Squares are named by the number the status line calls them by.
            if find(window_application(), "push button",
                    "Square 71: row 8, column 8, empty") is None:
                print("no square is named 'Square 71: row 8, column 8, empty'", file=sys.stderr)
                state["heard"] = False
    finally:
        window.terminate()
        window.wait(10)

if not state["heard"]:
    print("no text-changed event with the status line of Check "
          f"(Check {'pressed' if state['clicked'] else 'never found'}); events seen:",
          file=sys.stderr)
    for seen in events:
        print("  ", seen, file=sys.stderr)
    sys.exit(1)
print(f"heard through the accessibility bus: {CHECK_ON_EMPTY_BOARD!r}")
