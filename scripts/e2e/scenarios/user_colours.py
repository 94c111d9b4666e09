#!/usr/bin/env python3
"""A user colour mixed on the rig and fired from a function key.

On an initialised show: four fixtures patched with F6 continue; user colour
401 named and mixed from Y, M and C, and previewed on every fixture (the
receiver across the veth pair must see it on all four, at size 0); a scene
of that colour; function key F1 set to the scene; on the run screen, in
preset call mode, F1 must put the scene on the wire.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from console import check, fixture_levels, frame_has, run, unpack

Y, M, C = 10, 200, 30


def scenario(c, rx, peer):
    c.init_show()
    c.start()
    c.keys("Escape")                      # main menu

    c.keys("F6")                          # patch four fixtures, each continuing the one before
    c.keys("F6", "F6", "F6", "F6", pause=0.3)
    c.keys("Escape")

    c.keys("F4")                          # user colours, cursor on 401's number
    c.keys("Right")                       # the name column: the letter typed opens the input
    c.keys("m")
    c.type("ine")
    for column, value in ((1, Y), (2, M), (3, C)):
        c.keys("Right")
        text = str(value)
        c.keys(text[0])
        c.type(text[1:])
    c.keys("F9")                          # the colour on every fixture
    check(rx.wait_for(frame_has(fixture_levels((Y, M, C), 0)), 5.0),
          "the previewed colour on all four fixtures; last frame %s" % rx.last()[2][:16].hex())
    c.screenshot("user_colour_preview")
    c.keys("Escape")                      # ends the preview, writes the colour file
    name, y, m, cyan = unpack("<6sBBB", c.record("COL", 400))
    check(name.rstrip(b"\0") == b"mine" and (y, m, cyan) == (Y, M, C), "colour 401 stored as mixed: %r" % ((name, y, m, cyan),))

    c.keys("F1")                          # scene 1: every fixture in the new colour at 100 %
    c.keys("F6")
    c.keys("F3")
    c.type("MINE")
    c.keys("F4")
    c.type("100")
    c.keys("Escape")
    check(unpack("<64h", c.record("SCN", 0), 21) == (400,) * 64, "scene 1 holds colour 401")

    c.keys("F5")                          # function key F1: the scene
    c.keys("F2")
    c.keys("1")
    c.type("")
    c.screenshot("fkey_editor")
    c.keys("Escape")
    label, kind, target = unpack("<8shh", c.record("FKY", 0))
    check((kind, target) == (1, 0) and label.startswith(b"SCN  1"), "F1 presets scene 1: %r" % ((label, kind, target),))

    c.keys("F9")                          # the run screen; Home: preset call mode
    c.keys("Home")
    since = rx.last()[0]
    c.keys("F1")
    check(rx.wait_for(frame_has(fixture_levels((Y, M, C), 255)), 5.0, since),
          "the preset's scene on the wire; last frame %s" % rx.last()[2][:16].hex())
    c.screenshot("run_screen_preset")
    c.keys("Escape")
    c.quit()


sys.exit(run(scenario))
