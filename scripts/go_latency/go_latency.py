#!/usr/bin/env python3
"""GO on the run screen to ArtDmx on the wire, end to end.

Starts the console under Xvfb with a prepared show in its folder, waits for the
run screen, presses Enter 50 times and, for each press, waits for the first
ArtDmx that carries the levels of the cue the GO plays, as seen by a receiver
on the far side of a veth pair. Prints every latency and the median and p99.

Run it through go_latency.sh, which puts it in a private network namespace:
nothing here may ever send from the machine's own namespace.
"""
import os
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
from console import Receiver  # noqa: E402
FIXTURES = 64
PRESSES = 50

# Two user colours (Y, M, C) and the DMX group (size, M, C, Y) they give.
COLOUR_A = (10, 20, 30)
COLOUR_B = (200, 100, 50)


def group(colour):
    y, m, c = colour
    return bytes([255, m, c, y])


EXPECTED = [group(COLOUR_A) * FIXTURES, group(COLOUR_B) * FIXTURES, bytes(4 * FIXTURES)]


def write_show(folder):
    """Cue 1 cuts every fixture to colour A, cue 2 to colour B; GO after cue 2
    is standby (all zero), so the presses cycle A, B, zero."""
    def put(ext, data):
        with open(os.path.join(folder, "PRSMDATA." + ext), "wb") as f:
            f.write(bytes(data))

    col = bytearray(500 * 9)
    for index, (name, (y, m, c)) in ((400, ("A", COLOUR_A)), (401, ("B", COLOUR_B))):
        col[index * 9:index * 9 + 9] = name.encode().ljust(6, b"\0") + bytes([y, m, c])
    put("COL", col)
    scn = bytearray()
    for s in range(200):
        colours = [400 + s] * FIXTURES if s < 2 else [-1] * FIXTURES
        sizes = [255] * FIXTURES if s < 2 else [0] * FIXTURES
        scn += (b"SCENE %d" % (s + 1)).ljust(21, b"\0") + struct.pack("<64h", *colours) + bytes(sizes)
    put("SCN", scn)
    put("CHS", b"".join(b"\0" * 22 + struct.pack("<48h", *([-1] * 48)) for _ in range(50)))
    cue = bytearray()
    for i in range(1000):
        scene = i if i < 2 else -1
        cue += struct.pack("<8h", (i + 1) * 10, scene, 0, -1, 20, 20, 0, 0)
    put("CUE", cue)
    put("LPT", b"".join(struct.pack("<hh", 1, 4 * f) for f in range(FIXTURES)))
    put("FKY", b"".join(b"\0" * 8 + struct.pack("<4h", -1, -1, 20, 20) for _ in range(10)))
    put("GRP", bytes(640))


def main():
    bin_dir, rx_lines = sys.argv[1], sys.argv[2]
    work = tempfile.mkdtemp(prefix="prismel_go_")
    procs = []
    try:
        for name in ("prismel", "PRSMDATA.DEF", "PRSMTITL.BMP"):
            src = os.path.join(bin_dir, name)
            if os.path.exists(src):
                shutil.copy2(src, work)
        write_show(work)
        display = ":%d" % (90 + os.getpid() % 100)
        env = dict(os.environ, DISPLAY=display)
        procs.append(subprocess.Popen(["Xvfb", display, "-screen", "0", "1280x1024x24"],
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        time.sleep(1.0)
        receiver = Receiver(rx_lines)
        procs.append(subprocess.Popen([os.path.join(work, "prismel")], cwd=work, env=env,
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        time.sleep(4.0)  # the 2.5 s title sequence, then the run screen
        subprocess.run(["xdotool", "mousemove", "200", "200"], env=env, check=True)
        time.sleep(0.5)
        if receiver.count() == 0:
            print("no ArtDmx reached the receiver", file=sys.stderr)
            return 1
        latencies = []
        for press in range(PRESSES):
            want = EXPECTED[press % 3]
            t0 = time.monotonic()
            subprocess.run(["xdotool", "key", "Return"], env=env, check=True)
            hit = receiver.wait_for(lambda port, data: data[:len(want)] == want, 2.0, t0)
            if hit is None:
                print("press %d: no frame with the cue's levels within 2 s; last frame starts %s"
                      % (press + 1, receiver.last()[2][:32].hex()), file=sys.stderr)
                return 1
            latencies.append((hit[0] - t0) * 1000.0)
            time.sleep(0.25)
        ordered = sorted(latencies)
        p50 = ordered[len(ordered) // 2]
        p99 = ordered[min(len(ordered) - 1, int(round(0.99 * (len(ordered) - 1))))]
        print("latencies ms: " + " ".join("%.1f" % v for v in latencies))
        print("GO to ArtDmx over %d presses: median %.1f ms, p99 %.1f ms, max %.1f ms"
              % (len(latencies), p50, p99, ordered[-1]))
        return 0
    finally:
        for p in reversed(procs):
            p.send_signal(signal.SIGTERM)
            try:
                p.wait(timeout=3)
            except subprocess.TimeoutExpired:
                p.kill()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
