#!/usr/bin/env python3
"""A show programmed entirely on the console's keyboard, then played.

On an initialised show: four fixtures patched (F6 continue), two scenes (all
fixtures RED01 at 100 %, then BLU01 at 50 % by +1 copy), a two-step chase of
them and three cues (scene 1, scene 2, the chase); quit. The written files
must hold exactly that. Started again, GO through the cues on the run screen:
a receiver across the veth pair must see each cue's levels on the fixtures'
channels.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from console import check, fixture_levels, frame_has, run, unpack

RED01 = 40   # preset colour indexes of the shipped definition file
BLU01 = 265
RED_YMC = (255, 255, 0)
BLU_YMC = (0, 234, 255)


def program(c):
    c.keys("Escape")                      # run screen -> main menu
    c.keys("F6")                          # patch: F6 continues from the fixture before
    c.keys("F6", "F6", "F6", "F6", pause=0.3)
    c.screenshot("patch")
    c.keys("Escape")

    c.keys("F1")                          # scene editor on scene 1
    c.keys("F6")                          # mark all
    c.keys("F3")
    c.type("red01")                       # a colour found by its name, letter case aside
    c.keys("F4")
    c.type("100")
    c.keys("F2")
    c.type("FIRST")
    c.keys("F8")                          # +1 copy onto the empty scene 2, which becomes current
    c.keys("F3")
    c.type("BLU01")
    c.keys("F4")
    c.type("50")
    c.keys("F2")                          # the field holds the copied name: replace it
    c.type("", then="ctrl+a")
    c.type("SECOND")
    c.screenshot("scene_editor")
    c.keys("Escape")

    c.keys("F2")                          # chase editor on chase 1
    c.keys("1")
    c.type("", then="Return")             # the digit is the input's preset text: scene 1
    c.keys("2")
    c.type("", then="Return")
    c.keys("F2")
    c.type("RUN")
    c.screenshot("chase_editor")
    c.keys("Escape")

    c.keys("F3")                          # cue editor, cursor on cue 1, column 0
    c.keys("Right", "Right")              # the scene column
    c.keys("1")
    c.type("", then="Return")
    c.keys("Down", "2")
    c.type("", then="Return")
    c.keys("Down", "Right", "Right")      # cue 3, the chase column
    c.keys("1")
    c.type("", then="Return")
    c.screenshot("cue_editor")
    c.keys("Escape")


def check_files(c):
    for f in range(4):
        check(unpack("<hh", c.record("LPT", f)) == (1, 4 * f), "fixture %d patched at %d" % (f + 1, 4 * f + 1))
    check(unpack("<hh", c.record("LPT", 4))[1] == -1, "fixture 5 stays unpatched")
    one, two = c.record("SCN", 0), c.record("SCN", 1)
    check(one[:6] == b"FIRST\0", "scene 1 named FIRST")
    check(two[:7] == b"SECOND\0", "scene 2 named SECOND, got %r" % two[:21])
    check(unpack("<64h", one, 21) == (RED01,) * 64, "scene 1 is RED01 on every fixture")
    check(one[149:213] == bytes([255]) * 64, "scene 1 at 100 %")
    check(unpack("<64h", two, 21) == (BLU01,) * 64, "scene 2 is BLU01 on every fixture")
    check(two[149:213] == bytes([127]) * 64, "scene 2 at 50 % (127)")
    chase = c.record("CHS", 0)
    check(chase[:4] == b"RUN\0" and chase[21] == 2, "chase 1 named RUN with two steps")
    check(unpack("<2h", chase, 22) == (0, 1), "chase steps are scenes 1 and 2")
    cues = [unpack("<8h", c.record("CUE", i)) for i in range(3)]
    check(cues[0][:4] == (10, 0, 20, -1), "cue 1 plays scene 1: %r" % (cues[0],))
    check(cues[1][:4] == (20, 1, 20, -1), "cue 2 plays scene 2: %r" % (cues[1],))
    check(cues[2][:4] == (30, -1, 20, 0), "cue 3 plays chase 1: %r" % (cues[2],))


def play(c, rx):
    c.start()
    for name, size, ymc in (("cue 1", 255, RED_YMC), ("cue 2", 127, BLU_YMC)):
        c.keys("Return")
        check(rx.wait_for(frame_has(fixture_levels(ymc, size)), 5.0),
              "%s's levels on the wire; last frame %s" % (name, rx.last()[2][:16].hex()))
    c.keys("Return")                      # cue 3: the chase steps through both scenes
    check(rx.wait_for(frame_has(fixture_levels(RED_YMC, 255)), 5.0), "the chase's first step on the wire")
    check(rx.wait_for(frame_has(fixture_levels(BLU_YMC, 127)), 5.0), "the chase's second step on the wire")
    c.screenshot("run_screen")
    c.keys("Escape")
    c.quit()


def scenario(c, rx, peer):
    c.init_show()
    c.start()
    program(c)
    c.quit()
    check_files(c)
    play(c, rx)


sys.exit(run(scenario))
