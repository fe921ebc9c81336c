#!/usr/bin/python3
# Prints what a screen reader learns over AT-SPI about the windows of the running zk: every object's role,
# name and description, indented by depth; ends with status 1 when a control, or anything Tab can reach, has
# no name, or when Tab can reach a bare container (a filler or panel, which a screen reader does not announce).
# Usage: ScreenReaderNames.py WINDOW_TITLE...   (run by CheckScreenReaderNames.sh)
import sys
import time
import pyatspi

CONTROLS = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON,
            pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_PASSWORD_TEXT,
            pyatspi.ROLE_SLIDER, pyatspi.ROLE_TABLE, pyatspi.ROLE_LIST, pyatspi.ROLE_LINK, pyatspi.ROLE_SPIN_BUTTON}


def walk(node, depth, unnamed):
    role = node.getRole()
    print("%s%s: %r%s" % ("  " * depth, node.getRoleName(), node.name,
                          " - %r" % node.description if node.description else ""))
    focusable = node.getState().contains(pyatspi.STATE_FOCUSABLE)
    if (role in CONTROLS or focusable) and not node.name.strip():
        unnamed.append(node.getRoleName())
    elif focusable and role in (pyatspi.ROLE_FILLER, pyatspi.ROLE_PANEL):
        unnamed.append("focusable %s %r" % (node.getRoleName(), node.name))
    if role in (pyatspi.ROLE_TABLE, pyatspi.ROLE_LIST, pyatspi.ROLE_COMBO_BOX):
        return  # rows are content; a combo box's list is its items
    for child in node:
        if child is not None:
            walk(child, depth + 1, unnamed)


def main(titles):
    # The program joins the accessibility bus once the bus runs; the first question starts it.
    for _ in range(50):
        desktop = pyatspi.Registry.getDesktop(0)
        apps = [app for app in desktop if app is not None and app.name == "ZK"]
        if apps:
            break
        time.sleep(0.2)
    if not apps:
        print("ZK is not on the accessibility bus; there are:", [app.name for app in desktop if app is not None])
        return 1
    unnamed, found = [], set()
    for window in apps[0]:
        if window is not None and window.name in titles:
            found.add(window.name)
            unnamed_here = []
            walk(window, 0, unnamed_here)
            unnamed += ["%s: %s" % (window.name, role) for role in unnamed_here]
    missing = [title for title in titles if title not in found]
    for title in missing:
        print("no window %r" % title)
    for control in unnamed:
        print("UNNAMED", control)
    return 1 if unnamed or missing else 0


sys.exit(main(sys.argv[1:]))
