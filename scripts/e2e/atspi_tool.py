#!/usr/bin/python3
"""Reads and presses the console's Qt dialogs through the accessibility bus
(AT-SPI), for the end-to-end scenarios. Runs with the system's Python, which
has pyatspi.
    atspi_tool.py dump WINDOW            the window's tree, one node a line
    atspi_tool.py press WINDOW BUTTON    presses a push button by its name
    atspi_tool.py centre WINDOW ROLE N   screen centre of the Nth node of a role"""
import sys

import pyatspi


def find_window(title):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        for j in range(app.childCount if app else 0):
            w = app.getChildAtIndex(j)
            if w and w.name == title:
                return w
    sys.exit("no window named %r" % title)


def nodes(acc):
    yield acc
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child:
            yield from nodes(child)


def main():
    command, title = sys.argv[1], sys.argv[2]
    window = find_window(title)
    if command == "dump":
        for n in nodes(window):
            print("%s\t%s" % (n.getRoleName(), n.name))
    elif command == "press":
        for n in nodes(window):
            if n.getRoleName() == "push button" and n.name == sys.argv[3]:
                n.queryAction().doAction(0)
                return
        sys.exit("no button %r" % sys.argv[3])
    elif command == "centre":
        role, index = sys.argv[3], int(sys.argv[4])
        found = [n for n in nodes(window) if n.getRoleName() == role]
        e = found[index].queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        print("%d %d" % (e.x + e.width // 2, e.y + e.height // 2))


main()
