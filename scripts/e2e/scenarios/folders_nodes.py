#!/usr/bin/env python3
"""Shows kept in data folders, and the Art-Net node dialog.

A show whose cue 1 plays scene 1 (RED01 on four fixtures) is saved to a new
data folder from the data menu; scene 1 is changed to BLU01 in the scene
editor (the wire shows it at the next GO of the cue); the folder is loaded
back: the show files and, at the next GO, the wire are RED01 again.

Then the node dialog, with a fake node across the veth pair answering polls
for port-address 5: the node is listed unmarked while the console sends on
universe 0; choosing ID 5 moves the ArtDmx port-address on the wire to 5, and
after a scan the node is listed marked with "*".
"""
import os
import struct
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from console import check, fixture_levels, frame_has, run, unpack  # noqa: E402

RED01, BLU01 = 40, 265
RED_YMC, BLU_YMC = (255, 255, 0), (0, 234, 255)
HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")


def scene(colour):
    return b"S1".ljust(21, b"\0") + struct.pack("<64h", *([colour] * 64)) + bytes([255] * 64)


def prepare(c):
    c.init_show()
    for f in range(4):
        c.put_record("LPT", f, struct.pack("<hh", 1, 4 * f))
    c.put_record("SCN", 0, scene(RED01))
    c.put_record("CUE", 0, struct.pack("<8h", 10, 0, 0, -1, 20, 20, 0, 0))


def go_again(c, rx, ymc, what):
    """Re-GO of the current cue on the run screen (Delete) puts the cue's
    scene, as the table holds it now, on the wire."""
    since = rx.last()[0]
    c.keys("Delete")
    check(rx.wait_for(frame_has(fixture_levels(ymc)), 5.0, since), what + "; last frame %s" % rx.last()[2][:16].hex())


def folders(c, rx):
    c.keys("Return")                         # GO: cue 1
    check(rx.wait_for(frame_has(fixture_levels(RED_YMC)), 5.0), "cue 1 on the wire")
    c.keys("Escape", "F10")                  # the data menu, first item: the data folders
    c.keys("Down", "Return", pause=0.5)
    c.keys("F1")
    c.type("SHOW1")
    c.keys("F5")                             # save into it
    time.sleep(1.5)
    c.screenshot("saved")
    c.keys("Return", pause=0.5)              # "保存が完了しました"
    saved = os.path.join(c.folder, "DATA", "SHOW1")
    for ext in ("COL", "SCN", "CHS", "CUE", "LPT", "FKY", "GRP"):
        name = os.path.join(saved, "PRSMDATA." + ext)
        check(open(name, "rb").read() == open(c.path("PRSMDATA." + ext), "rb").read(), name + " is the show's")
    c.keys("Escape")

    c.keys("F1", "F6", "F3")                 # scene 1 to BLU01
    c.type("BLU01")
    c.keys("Escape")
    check(unpack("<h", c.record("SCN", 0), 21)[0] == BLU01, "scene 1 changed in its file")
    c.keys("F9")
    go_again(c, rx, BLU_YMC, "the changed scene on the wire")

    c.keys("Escape", "F10")
    c.keys("Down", "Return", pause=0.5)
    c.keys("F7")                             # load the folder back
    time.sleep(1.5)
    c.keys("Return", pause=0.5)              # "読み込みが完了しました"
    c.keys("Escape")
    check(unpack("<h", c.record("SCN", 0), 21)[0] == RED01, "scene 1 back in its file after the load")
    c.keys("F9")
    go_again(c, rx, RED_YMC, "the loaded scene on the wire")
    c.keys("Escape")


def node_lines(c):
    """The node list box's lines, read through the accessibility bus."""
    rows = [line.split("\t", 1) for line in c.atspi("dump", "DMXインターフェイスの設定").splitlines()]
    return [name for role, name in rows if role == "list item" and "FAKENODE" in name]


def wait_lines(c, want, timeout=8.0):
    end = time.monotonic() + timeout
    lines = []
    while time.monotonic() < end:
        lines = node_lines(c)
        if want(lines):
            return lines
        time.sleep(0.5)
    raise AssertionError(lines)


def nodes(c, rx, peer):
    log = os.path.join(c.folder, "node.log")
    node = subprocess.Popen(["nsenter", "-t", str(peer), "-n", sys.executable, os.path.join(HERE, "fake_node.py"),
                             "2.0.0.2", "FAKENODE", "5", log])
    try:
        time.sleep(2.5)                      # the console polls every 2 s
        c.keys("F7", "i", pause=1.0)         # options menu: "DMXインターフェイスの設定(&I)"
        try:
            lines = wait_lines(c, lambda l: len(l) == 1)
        except AssertionError as e:
            check(False, "the fake node is listed once: %s" % e)
        check(lines[0].startswith(" ") and "2.  0.  0.  2 : FAKENODE" in lines[0], "listed unmarked: %r" % lines[0])
        check(rx.last()[1] == 0, "ArtDmx on port-address 0 before the change")

        x, y = map(int, c.atspi("centre", "DMXインターフェイスの設定", "combo box", "1").split())
        c.click_at(x, y)                     # the ID list: 5
        c.keys("5", "Return", pause=0.4)
        since = time.monotonic()
        check(rx.wait_for(lambda port, data: port == 5, 3.0, since), "ArtDmx on port-address 5 after choosing ID 5")
        c.atspi("press", "DMXインターフェイスの設定", "スキャン")
        try:
            lines = wait_lines(c, lambda l: len(l) == 1 and l[0].startswith("*"))
        except AssertionError as e:
            check(False, "the node marked after the scan: %s" % e)
        c.screenshot("node_dialog")
        c.atspi("press", "DMXインターフェイスの設定", "OK")
        time.sleep(0.5)
        check(os.path.getsize(log) > 0, "the fake node answered the console's polls")
    finally:
        node.terminate()
        node.wait(timeout=5)


def scenario(c, rx, peer):
    prepare(c)
    c.start()
    folders(c, rx)
    nodes(c, rx, peer)
    c.quit()
    ini = open(c.path("prismel.INI"), encoding="latin-1").read()
    check("TxUniverse=5" in ini, "TxUniverse=5 written at shutdown")


sys.exit(run(scenario, accessible=True))
