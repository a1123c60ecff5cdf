#!/usr/bin/python3
"""Lists the controls of a running program from the accessibility tree, one line each:
role<TAB>name<TAB>description<TAB>x y width height (screen pixels).

Usage: a11y_controls.py APP_NAME [TIMEOUT_SECONDS]
Waits until the application shows up on the accessibility bus; exits 1 when it does not.
"""
import sys
import time

import pyatspi


def walk(node, depth=0):
    if node is None or depth > 30:
        return
    try:
        role = node.getRoleName()
        name = node.name or ""
        description = node.description or ""
        try:
            extents = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            box = f"{extents.x} {extents.y} {extents.width} {extents.height}"
        except NotImplementedError:
            box = "-1 -1 0 0"
        print(f"{role}\t{name}\t{description}\t{box}")
        for i in range(node.childCount):
            walk(node.getChildAtIndex(i), depth + 1)
    except Exception:  # a control that went away while it was read
        return


def main():
    app_name = sys.argv[1]
    deadline = time.time() + (float(sys.argv[2]) if len(sys.argv) > 2 else 10.0)
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == app_name:
                walk(app)
                return 0
        time.sleep(0.2)
    return 1


if __name__ == "__main__":
    sys.exit(main())
