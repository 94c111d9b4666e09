#!/usr/bin/env python3
"""The show survives a kill -9: the console and the headless player come back
with the look of the last action on the wire from their first frame.

A prepared show: fixtures 1-2 in a scene (colour A), fixtures 3-4 in a
two-step chase (colours B and C); cue 1 plays both with a 2 s scene fade,
cue 2 fades fixtures 3-4 to C over 2 s. Each round kills the console at a
random moment after an action (GO into the chase, GO into a fade, a scene
called by F1) and starts it again: the first frame the receiver sees from the
new process must carry the settled look of that action, and no dark frame may
follow. A scene renamed in the open scene editor is on disk within two
seconds and survives the kill; SIGTERM with the editor open writes its table
and ends cleanly, so the next start is in standby. The player does the same
with --resume. Prints the restore times (process start to first frame).
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
    y, m, c = ymc
    return bytes([255, m, c, y])


DARK = bytes(4)


def look(first_two, last_two):
    """The 16 slots of fixtures 1-4 (layout 1 from slot 1)."""
    return first_two * 2 + last_two * 2


CHASE_STEP_1 = look(group(A), group(B))
CUE_2 = look(DARK, group(C))
SCENE_A_ONLY = look(group(A), DARK)


def write_show(folder):
    def put(ext, data):
        with open(os.path.join(folder, "PRSMDATA." + ext), "wb") as f:
            f.write(bytes(data))

    col = bytearray(500 * 9)
    for i, (name, (y, m, c)) in enumerate((("A", A), ("B", B), ("C", C))):
        col[(400 + i) * 9:(401 + i) * 9] = name.encode().ljust(6, b"\0") + bytes([y, m, c])
    put("COL", col)
    lit = {0: (0, 1), 1: (2, 3), 2: (2, 3)}  # scene: fixtures it lights
    scn = bytearray()
    for s in range(200):
        colours = [400 + s if s in lit and f in lit[s] else -1 for f in range(64)]
        sizes = [255 if colours[f] >= 0 else 0 for f in range(64)]
        scn += (b"SCENE %d" % (s + 1)).ljust(21, b"\0") + struct.pack("<64h", *colours) + bytes(sizes)
    put("SCN", scn)
    chs = b"RUN".ljust(21, b"\0") + bytes([2]) + struct.pack("<48h", 1, 2, *([-1] * 46))
    chs += b"".join(b"\0" * 22 + struct.pack("<48h", *([-1] * 48)) for _ in range(49))
    put("CHS", chs)
    cue = struct.pack("<8h", 10, 0, 40, 0, 10, 4, 0, 0)    # scene 1 over 2 s, chase 1 (0.5 s steps)
    cue += struct.pack("<8h", 20, 2, 40, -1, 20, 0, 0, 0)  # scene 3 over 2 s
    cue += b"".join(struct.pack("<8h", (i + 1) * 10, -1, 20, -1, 20, 20, 0, 0) for i in range(2, 1000))
    put("CUE", cue)
    put("LPT", b"".join(struct.pack("<hh", 1, 4 * f if f < 4 else -1) for f in range(64)))
    put("FKY", b"".join(b"\0" * 8 + struct.pack("<4h", -1, -1, 20, 20) for _ in range(10)))
    put("GRP", bytes(640))


def journal_cue(path):
    """The current cue in a journal, or None while there is none."""
    try:
        with open(path, "rb") as f:
            data = f.read()
    except OSError:
        return None
    if len(data) != 52 or data[:8] != b"PRSMJRNL":
        return None
    return struct.unpack_from("<i", data, 20)[0]


def journal_clean(path):
    with open(path, "rb") as f:
        data = f.read()
    return len(data) == 52 and struct.unpack_from("<H", data, 10)[0] & 1 == 1


class Restart:
    """Kills a process with SIGKILL and starts its successor, noting when."""

    def __init__(self, rx):
        self.rx = rx
        self.times = []

    def first_frames(self, started, expected, what):
        """The first frame after `started` must be `expected` on slots 1-16,
        and so must every frame of the next second (a settled look holds)."""
        first = self.rx.wait_for(lambda port, data: True, 5.0, started)
        check(first is not None, "%s: no frame within 5 s of the start" % what)
        self.times.append((first[0] - started) * 1000.0)
        check(first[2][:16] == expected,
              "%s: the first frame carries %s, not %s" % (what, first[2][:16].hex(), expected.hex()))
        time.sleep(1.0)
        with self.rx.lock:
            later = [p for p in self.rx.packets if p[0] >= started]
        for t, _, data in later:
            check(data[:16] == expected or (expected == CHASE_STEP_1 and data[:8] == expected[:8]
                                            and data[8:16] != bytes(8)),
                  "%s: %.0f ms after the start a frame carries %s" % (what, (t - started) * 1000, data[:16].hex()))


def start_console(c):
    started = time.monotonic()
    c.proc = subprocess.Popen([c.path("prismel")], cwd=c.folder, env=c.env,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return started


def kill(proc):
    proc.kill()
    proc.wait(timeout=10)


def wait_journal(c, cue, what, since):
    """Milliseconds from `since` until the journal holds cue index `cue`."""
    while journal_cue(c.path("prismel.JNL")) != cue:
        check(time.monotonic() - since < 3.0, "%s: the journal never showed cue index %s" % (what, cue))
        time.sleep(0.002)
    return (time.monotonic() - since) * 1000.0


def console_rounds(c, rx, restart):
    write_show(c.folder)
    c.start()
    journal_delays = []

    # Round 1: GO into the chase (its scene still fading in), killed at a random moment.
    t0 = time.monotonic()
    c.keys("Return", pause=0)
    journal_delays.append(wait_journal(c, 0, "GO into cue 1", t0))
    check(rx.wait_for(lambda p, d: d[8:16] == group(C) * 2, 5.0, t0), "the chase's second step on the wire")
    time.sleep(random.uniform(0.0, 1.0))
    kill(c.proc)
    restart.first_frames(start_console(c), CHASE_STEP_1, "after a kill during the chase")
    time.sleep(3.0)                       # the title sequence, then the run screen
    c.screenshot("restored")              # the message line says the output was restored

    # Round 2: GO into a 2 s fade, killed in the middle of it: the fade's target comes back.
    t0 = time.monotonic()
    c.keys("Return", pause=0)
    journal_delays.append(wait_journal(c, 1, "GO into cue 2", t0))
    time.sleep(random.uniform(0.2, 1.5))
    kill(c.proc)
    restart.first_frames(start_console(c), CUE_2, "after a kill during a crossfade")
    time.sleep(3.0)

    # Round 3: F1 calls scene 1 over the cue (no cue change), killed 0.3 s later.
    t0 = time.monotonic()
    c.keys("F1", pause=0)
    check(rx.wait_for(lambda p, d: d[:16] == SCENE_A_ONLY, 3.0, t0), "scene 1 called by F1 on the wire")
    time.sleep(0.3)
    kill(c.proc)
    restart.first_frames(start_console(c), SCENE_A_ONLY, "after a kill following a scene call")
    time.sleep(3.0)

    # An edit in the open scene editor reaches the disk within two seconds and survives a kill.
    c.keys("Escape", "F1")
    c.keys("F2")
    c.type("", then="ctrl+a")             # the input holds the name: replace it
    c.type("KEPT")
    time.sleep(2.0)
    check(c.record("SCN", 0)[:5] == b"KEPT\0", "the renamed scene on disk while its editor is open")
    kill(c.proc)
    restart.first_frames(start_console(c), SCENE_A_ONLY, "after a kill with the scene editor open")
    check(c.record("SCN", 0)[:5] == b"KEPT\0", "the renamed scene after the restart")
    time.sleep(3.0)

    # SIGTERM with the editor open and a change not yet written: written, a clean end, standby next.
    c.keys("Escape", "F1")
    c.keys("F2")
    c.type("", then="ctrl+a")
    c.type("TERM")
    c.proc.terminate()
    check(c.proc.wait(timeout=10) == 0, "the console ends on SIGTERM")
    check(c.record("SCN", 0)[:5] == b"TERM\0", "SIGTERM wrote the open editor's table")
    check(journal_clean(c.path("prismel.JNL")), "SIGTERM marked the journal clean")
    started = start_console(c)
    first = rx.wait_for(lambda port, data: True, 5.0, started)
    check(first is not None and first[2][:16] == bytes(16), "a clean end starts dark (standby)")
    time.sleep(3.0)
    c.keys("Escape")
    c.quit()
    return journal_delays


def player_round(c, rx, restart):
    args = [c.path("prismel-show"), "play", c.folder, "--resume"]

    def play():
        started = time.monotonic()
        proc = subprocess.Popen(args, env=c.env, stdin=subprocess.PIPE,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return started, proc

    started, proc = play()
    proc.stdin.write(b"cue 1\n")
    proc.stdin.flush()
    check(rx.wait_for(lambda p, d: d[8:16] == group(C) * 2, 5.0, started), "the player's chase on the wire")
    time.sleep(random.uniform(0.0, 1.0))
    kill(proc)
    started, proc = play()
    restart.first_frames(started, CHASE_STEP_1, "the player after a kill during the chase")
    proc.stdin.write(b"quit\n")
    proc.stdin.flush()
    check(proc.wait(timeout=10) == 0, "the player quits")
    check(journal_clean(c.path("prismel-show.JNL")), "quit marked the player's journal clean")


def scenario(c, rx, peer):
    restart = Restart(rx)
    delays = console_rounds(c, rx, restart)
    player_round(c, rx, restart)
    print("restore: process start to first restored frame, ms: " + " ".join("%.0f" % t for t in restart.times))
    print("journal: GO key (xdotool sent) to the cue in the journal file, ms: " + " ".join("%.0f" % d for d in delays))


sys.exit(run(scenario))
