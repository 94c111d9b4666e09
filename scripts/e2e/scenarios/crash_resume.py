#!/usr/bin/env python3
"""The show survives a kill -9: the console and the headless player come back
with the look of the last action on the wire from their first frame.

Fixtures 1-2 in a scene (colour A), 3-4 in a two-step chase (B, C); cue 1
plays both with a 2 s scene fade, cue 2 fades 3-4 to C over 2 s. The console
is killed at random moments after a GO into the chase, a GO into the fade and
F1 (scene 1 called); each time the first frame from the new process must be
the settled look, and so every frame of the next second. A scene renamed in
the open scene editor is on disk within two seconds; SIGTERM with the editor
open writes its table and ends cleanly (the next start is dark). Prints the
restore times (process start to first frame).
"""
import os
import random
import struct
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from console import check, run  # noqa: E402

A, B, C = (10, 20, 30), (200, 100, 50), (60, 180, 90)  # (Y, M, C) of user colours 400-402


def group(ymc):
    return bytes([255, ymc[1], ymc[2], ymc[0]])


DARK = bytes(4)
CHASE_STEP_1 = group(A) * 2 + group(B) * 2  # slots 1-16: fixtures 1-4 in layout 1
CUE_2 = DARK * 2 + group(C) * 2
SCENE_1_ONLY = group(A) * 2 + DARK * 2


def write_show(folder):
    def put(ext, data):
        with open(os.path.join(folder, "PRSMDATA." + ext), "wb") as f:
            f.write(bytes(data))

    put("COL", bytes(400 * 9) + b"".join(n.ljust(6, b"\0") + bytes(c) for n, c in ((b"A", A), (b"B", B), (b"C", C)))
        + bytes(97 * 9))
    lit = {0: (0, 1), 1: (2, 3), 2: (2, 3)}  # scene: the fixtures it lights in colour 400 + scene
    put("SCN", b"".join(b"S".ljust(21, b"\0") + struct.pack("<64h", *[400 + s if f in lit.get(s, ()) else -1
                                                                      for f in range(64)])
                        + bytes(255 if f in lit.get(s, ()) else 0 for f in range(64)) for s in range(200)))
    put("CHS", b"RUN".ljust(21, b"\0") + bytes([2]) + struct.pack("<48h", 1, 2, *[-1] * 46)
        + (b"\0" * 22 + struct.pack("<48h", *[-1] * 48)) * 49)
    put("CUE", struct.pack("<8h", 10, 0, 40, 0, 10, 4, 0, 0) + struct.pack("<8h", 20, 2, 40, -1, 20, 0, 0, 0)
        + b"".join(struct.pack("<8h", (i + 1) * 10, -1, 20, -1, 20, 20, 0, 0) for i in range(2, 1000)))
    put("LPT", b"".join(struct.pack("<hh", 1, 4 * f if f < 4 else -1) for f in range(64)))
    put("FKY", (b"\0" * 8 + struct.pack("<4h", -1, -1, 20, 20)) * 10)
    put("GRP", bytes(640))


def journal(path):
    """(current cue, clean end) of a journal, or (None, False)."""
    try:
        with open(path, "rb") as f:
            data = f.read()
    except OSError:
        data = b""
    if len(data) != 52 or data[:8] != b"PRSMJRNL":
        return None, False
    return struct.unpack_from("<i", data, 20)[0], bool(data[10] & 1)


def scenario(c, rx, peer):
    restore_ms, journal_ms = [], []

    def restarted(started, expected, what):
        first = rx.wait_for(lambda port, data: True, 5.0, started)
        check(first is not None, "%s: no frame within 5 s of the start" % what)
        restore_ms.append((first[0] - started) * 1000.0)
        time.sleep(1.0)
        with rx.lock:
            frames = [p for p in rx.packets if p[0] >= started]
        for t, _, data in frames:  # a running chase moves on from B towards C, never dark
            check(data[:16] == expected or (expected == CHASE_STEP_1 and data[:8] == expected[:8]
                                            and DARK not in (data[8:12], data[12:16])),
                  "%s: %.0f ms after the start the frame is %s" % (what, (t - started) * 1000, data[:16].hex()))

    def kill_and_restart(expected, what):
        c.proc.kill()
        c.proc.wait(timeout=10)
        started = time.monotonic()
        c.proc = subprocess.Popen([c.path("prismel")], cwd=c.folder, env=c.env,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        restarted(started, expected, what)
        time.sleep(3.0)                    # the title sequence, then the run screen

    def go(cue):
        t0 = time.monotonic()
        c.keys("Return", pause=0)
        while journal(c.path("prismel.JNL"))[0] != cue:
            check(time.monotonic() - t0 < 3.0, "the journal never showed cue index %d" % cue)
            time.sleep(0.002)
        journal_ms.append((time.monotonic() - t0) * 1000.0)
        return t0

    write_show(c.folder)
    c.start()
    t0 = go(0)
    check(rx.wait_for(lambda p, d: d[8:16] == group(C) * 2, 5.0, t0), "the chase's second step on the wire")
    time.sleep(random.uniform(0.0, 1.0))
    kill_and_restart(CHASE_STEP_1, "after a kill during the chase")
    c.screenshot("restored")               # the message line says the output was restored
    go(1)
    time.sleep(random.uniform(0.2, 1.5))
    kill_and_restart(CUE_2, "after a kill during a crossfade")
    t0 = time.monotonic()
    c.keys("F1", pause=0)                  # scene 1 called over the cue
    check(rx.wait_for(lambda p, d: d[:16] == SCENE_1_ONLY, 3.0, t0), "scene 1 called by F1 on the wire")
    time.sleep(0.3)
    kill_and_restart(SCENE_1_ONLY, "after a kill following a scene call")

    c.keys("Escape", "F1", "F2")           # the scene editor; its name input holds the name
    c.type("", then="ctrl+a")
    c.type("KEPT")
    time.sleep(2.0)
    check(c.record("SCN", 0)[:5] == b"KEPT\0", "the renamed scene on disk while its editor is open")
    kill_and_restart(SCENE_1_ONLY, "after a kill with the scene editor open")

    c.keys("Escape", "F1", "F2")           # renamed, then SIGTERM before the editor's own write
    c.type("", then="ctrl+a")
    c.type("TERM")
    c.proc.terminate()
    check(c.proc.wait(timeout=10) == 0, "the console ends on SIGTERM")
    check(c.record("SCN", 0)[:5] == b"TERM\0", "SIGTERM wrote the open editor's table")
    check(journal(c.path("prismel.JNL"))[1], "SIGTERM marked the journal clean")
    c.proc = None
    started = time.monotonic()
    c.start()
    first = rx.wait_for(lambda port, data: True, 1.0, started)
    check(first is not None and first[2][:16] == bytes(16), "a clean end starts in standby")
    c.keys("Escape")
    c.quit()

    def play():
        started = time.monotonic()
        return started, subprocess.Popen([c.path("prismel-show"), "play", c.folder, "--resume"], env=c.env,
                                         stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                                         stderr=subprocess.DEVNULL)

    started, player = play()
    player.stdin.write(b"cue 1\n")
    player.stdin.flush()
    check(rx.wait_for(lambda p, d: d[8:16] == group(C) * 2, 5.0, started), "the player's chase on the wire")
    time.sleep(random.uniform(0.0, 1.0))
    player.kill()
    player.wait(timeout=10)
    started, player = play()
    restarted(started, CHASE_STEP_1, "the player after a kill during the chase")
    player.communicate(b"quit\n", timeout=10)
    check(player.returncode == 0 and journal(c.path("prismel-show.JNL"))[1], "the player quits cleanly")

    print("restore: process start to first restored frame, ms: console %s, player %.0f"
          % (" ".join("%.0f" % t for t in restore_ms[:-1]), restore_ms[-1]))
    print("journal: GO key (xdotool sent) to the cue in the journal file, ms: "
          + " ".join("%.0f" % t for t in journal_ms))


sys.exit(run(scenario))
