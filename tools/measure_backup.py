#!/usr/bin/env python3
"""How a backup player takes over from its primary, in private namespaces.

A primary player (2.0.0.1) and its backup (2.0.0.2) on a bridge with a
receiver (2.0.0.100) that records every ArtDmx. The show
(tools/write_backup_show.py) runs a fade and a chase at all times, so the
frame changes every 20 ms and can be placed on the show's timeline by
`prismel-show simulate`. The primary is killed (kill -9) at random moments,
some of them in standby, and restarted with --resume each time; then the
link between the consoles is cut while both still reach the receiver (bridge
port isolation), and the primary's link port is flooded.

Prints, for each kill, the takeover gap (kill to the backup's first frame on
the wire) and how many frames the backup's first frame was from where the
primary's timeline would be at that moment; then mean and worst, and the
split and flood results.

  tools/measure_backup.py BIN_DIR [KILLS]      (as root; default 20 kills)
"""
import os
import random
import statistics
import subprocess
import sys
import tempfile
import threading
import time

BIN = os.path.abspath(sys.argv[1])
KILLS = int(sys.argv[2]) if len(sys.argv) > 2 else 20
HERE = os.path.dirname(os.path.abspath(__file__))
TAG = "prismel-bk%d" % (os.getpid() % 100000)
RIG, PRI, BAK = TAG + "r", TAG + "p", TAG + "b"
PORTS = ("bkq%d1" % (os.getpid() % 100000), "bkq%d2" % (os.getpid() % 100000))
PRIMARY, BACKUP = "2.0.0.1", "2.0.0.2"
DARK = bytes(16)


def sh(cmd, check=True):
    return subprocess.run(cmd, shell=True, check=check, capture_output=True, text=True).stdout


def up():
    for ns in (RIG, PRI, BAK):
        sh("ip netns add %s && ip -n %s link set lo up" % (ns, ns))
    sh("ip -n %s link add %sbr type bridge && ip -n %s addr add 2.0.0.100/8 brd + dev %sbr && "
       "ip -n %s link set %sbr up" % (RIG, TAG[-6:], RIG, TAG[-6:], RIG, TAG[-6:]))
    for i, (ns, addr) in enumerate(((PRI, PRIMARY), (BAK, BACKUP))):
        port, end = PORTS[i], PORTS[i] + "e"
        sh("ip -n %s link add %s type veth peer name %s netns %s" % (RIG, port, end, ns))
        sh("ip -n %s link set %s master %sbr && ip -n %s link set %s up" % (RIG, port, TAG[-6:], RIG, port))
        sh("ip -n %s addr add %s/8 brd + dev %s && ip -n %s link set %s up" % (ns, addr, end, ns, end))


def down():
    for ns in (RIG, PRI, BAK):
        sh("ip netns pids %s 2>/dev/null | xargs -r kill -9; ip netns del %s" % (ns, ns), check=False)


def isolate(on):
    for port in PORTS:
        sh("ip -n %s link set %s type bridge_slave isolated %s" % (RIG, port, "on" if on else "off"))


RECEIVER = r"""
import socket, sys, time
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
s.bind(("", 6454))
out = open(sys.argv[1], "w", buffering=1)
while True:
    d, peer = s.recvfrom(2048)
    if d[:8] == b"Art-Net\0" and d[8:10] == b"\x00\x50":
        out.write("%.5f %s %s\n" % (time.monotonic(), peer[0], d[18:34].hex()))
"""


class Frames:
    def __init__(self, path):
        self.path, self.rows, self.lock = path, [], threading.Lock()
        threading.Thread(target=self._follow, daemon=True).start()

    def _follow(self):
        with open(self.path) as f:
            while True:
                line = f.readline()
                if not line.endswith("\n"):
                    time.sleep(0.002)
                    continue
                t, src, data = line.split()
                with self.lock:
                    self.rows.append((float(t), src, bytes.fromhex(data)))

    def between(self, src, t0, t1):
        with self.lock:
            return [r for r in self.rows if r[1] == src and t0 <= r[0] < t1]


class Player:
    def __init__(self, ns, folder, options, err):
        self.err = err
        self.proc = subprocess.Popen(["ip", "netns", "exec", ns, os.path.join(BIN, "prismel-show"), "play",
                                      folder, "--seconds", "3600"] + options,
                                     stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=open(err, "a"),
                                     env=dict(os.environ, PRISMEL_REMOTE_PORT="none"))

    def say(self, line):
        self.proc.stdin.write((line + "\n").encode())
        self.proc.stdin.flush()

    def kill(self):
        self.proc.kill()
        self.proc.wait()


def said_count(path, what):
    with open(path) as f:
        return f.read().count(what)


def wait_said(path, what, count, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if said_count(path, what) >= count:
            return True
        time.sleep(0.01)
    return False


def timeline(folder, steps):
    """The show's first 16 slots after each step from the first GO, as simulate prints them."""
    script = os.path.join(folder, "sim.txt")
    with open(script, "w") as f:
        f.write("go 0\nstep %d\n" % steps)
    out = subprocess.run([os.path.join(BIN, "prismel-show"), "simulate", folder, script], check=True,
                         capture_output=True, text=True).stdout
    return [bytes.fromhex(line.split()[1][:32]) for line in out.splitlines()]


class Clock:
    """Where the primary's show stands: t0 is when its step 0 would have been."""

    def __init__(self, sim):
        self.sim, self.t0 = sim, None
        self.index = {}
        for k, frame in enumerate(sim, 1):
            self.index.setdefault(frame, []).append(k)

    def place(self, t, frame, near=25):
        """The step nearest to where t falls whose frame this is, or None."""
        expected = (t - self.t0) / 0.02
        ks = [k for k in self.index.get(frame, []) if abs(k - expected) <= near]
        return min(ks, key=lambda k: abs(k - expected)) if ks else None

    def follow(self, rows):
        """Re-anchors on the primary's frames (time, src, data)."""
        offsets = []
        for t, _, frame in rows:
            k = self.place(t, frame, 10)
            if k is not None:
                offsets.append(t - 0.02 * k)
        if offsets:
            self.t0 = statistics.median(offsets)

    def distance(self, t, frame):
        k = self.place(t, frame, 50)
        return None if k is None else k - (t - self.t0) / 0.02


def main():
    if os.geteuid() != 0:
        sys.exit("measure_backup: needs root (network namespaces)")
    work = tempfile.mkdtemp(prefix="prismel_backup_")
    pdir, bdir = os.path.join(work, "p"), os.path.join(work, "b")
    for d in (pdir, bdir):
        subprocess.run([sys.executable, os.path.join(HERE, "write_backup_show.py"), d], check=True)
    sim = timeline(pdir, 60000)
    clock = Clock(sim)
    down()
    up()
    rx_file = os.path.join(work, "rx.txt")
    open(rx_file, "w").close()
    rx = subprocess.Popen(["ip", "netns", "exec", RIG, sys.executable, "-c", RECEIVER, rx_file])
    frames = Frames(rx_file)
    perr, berr = os.path.join(work, "p.err"), os.path.join(work, "b.err")
    results = []
    try:
        time.sleep(0.3)
        primary = Player(PRI, pdir, ["--resume"], perr)
        backup = Player(BAK, bdir, ["--backup-of", PRIMARY], berr)
        if not wait_said(berr, "following the primary", 1, 5):
            sys.exit("measure_backup: the backup never followed")
        started = time.monotonic()
        primary.say("cue 1")
        time.sleep(0.5)
        clock.t0 = started
        clock.follow(frames.between(PRIMARY, started, time.monotonic()))
        gave_back = 0
        for n in range(KILLS):
            standby = n % 5 == 4
            if standby:
                primary.say("standby")
                time.sleep(random.uniform(1.0, 2.0))
            else:
                time.sleep(random.uniform(0.5, 6.0))
            killed = time.monotonic()
            primary.kill()
            clock.follow(frames.between(PRIMARY, killed - 1.0, killed))
            last = frames.between(PRIMARY, killed - 2.0, killed)[-1]
            time.sleep(1.6)
            first = frames.between(BACKUP, killed, time.monotonic())
            restarted = time.monotonic()
            primary = Player(PRI, pdir, ["--resume"], perr)
            gave_back += 1
            returned = wait_said(berr, "following again", gave_back, 8)
            row = {"kill": n + 1, "standby": standby, "gap": None, "off": None, "dark": False, "back": returned,
                   "back_off": None}
            # The restarted primary's first frame: the backup's look of that moment.
            again = frames.between(PRIMARY, restarted, time.monotonic())
            if again:
                t, _, frame = again[0]
                row["back_off"] = 0.0 if standby and frame == last[2] else clock.distance(t, frame)
            if first:
                t, _, frame = first[0]
                row["gap"] = (t - killed) * 1000
                row["off"] = 0.0 if standby and frame == last[2] else clock.distance(t, frame)
                row["dark"] = any(f == DARK for _, _, f in first) and not standby
            results.append(row)
            print("kill %2d%s: first backup frame %s ms after the kill, %s frames from the primary's timeline; "
                  "the restarted primary's first frame %s frames from it%s"
                  % (n + 1, " (standby)" if standby else "",
                     "%.0f" % row["gap"] if row["gap"] is not None else "-",
                     "%+.1f" % row["off"] if row["off"] is not None else "?",
                     "%+.1f" % row["back_off"] if row["back_off"] is not None else "?",
                     "" if returned else ", NOT GIVEN BACK"), flush=True)
            if standby:
                time.sleep(2.5)
                resumed = time.monotonic()
                primary.say("cue 1")
                time.sleep(0.6)
                clock.t0 = resumed
                clock.follow(frames.between(PRIMARY, resumed, time.monotonic()))
            else:
                time.sleep(0.5)

        gaps = [r["gap"] for r in results if r["gap"] is not None]
        offs = [abs(r["off"]) for r in results if r["off"] is not None]
        backs = [abs(r["back_off"]) for r in results if r["back_off"] is not None]
        print("takeover over %d kills: gap mean %.0f ms, worst %.0f ms; backup frame from the primary's timeline: "
              "mean %.2f, worst %.1f frames; unplaced %d; dark %d; not given back %d; restarted primary's first "
              "frame: worst %.1f frames, unplaced %d"
              % (len(results), statistics.mean(gaps), max(gaps), statistics.mean(offs), max(offs),
                 sum(r["off"] is None for r in results), sum(r["dark"] for r in results),
                 sum(not r["back"] for r in results), max(backs) if backs else -1,
                 sum(r["back_off"] is None for r in results)), flush=True)

        # The link cut, both consoles still on the rig: the backup sends too, in step.
        time.sleep(3.0)
        took = said_count(berr, "this backup sends")
        cut = time.monotonic()
        isolate(True)
        split = wait_said(berr, "this backup sends", took + 1, 3)
        after_cut = time.monotonic() - cut
        time.sleep(4.0)
        both_from = time.monotonic() - 3.5
        pair_off = []
        bak = frames.between(BACKUP, both_from, time.monotonic())
        clock.follow(frames.between(PRIMARY, both_from, time.monotonic()))
        for t, _, frame in bak:
            d = clock.distance(t, frame)
            pair_off.append(abs(d) if d is not None else 99)
        dark = sum(f == DARK for _, _, f in frames.between(BACKUP, cut, time.monotonic()) +
                   frames.between(PRIMARY, cut, time.monotonic()))
        joined = time.monotonic()
        isolate(False)
        gave_back += 1
        rejoined = wait_said(berr, "following again", gave_back, 6)
        print("link cut: backup %s %.2f s after the cut; both sending, the backup's frames from the primary's "
              "timeline: worst %.1f frames over %d frames; dark frames %d; given back %s %.2f s after the link "
              "came back" % ("took over" if split else "did NOT take over", after_cut,
                             max(pair_off) if pair_off else -1, len(pair_off), dark,
                             "yes" if rejoined else "NO", time.monotonic() - joined), flush=True)

        # A flood at both consoles' link ports for 5 s: nothing changes.
        time.sleep(2.5)
        port = sh("ip netns exec %s ss -lunpH | awk '/prismel-show/ {split($4, a, \":\"); print a[2]}' | head -1" % BAK)
        took = said_count(berr, "this backup sends")
        flood = ("import os, socket, time\ns = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)\nn = 0\n"
                 "end = time.time() + 5\nwhile time.time() < end:\n"
                 "    s.sendto(os.urandom(1400), ('%s', 6460)); s.sendto(os.urandom(1400), ('%s', %s)); n += 2\n"
                 "print(n)" % (PRIMARY, BACKUP, port.strip() or "6460"))
        sent = sh("ip netns exec %s %s -c \"%s\"" % (RIG, sys.executable, flood)).strip()
        time.sleep(0.5)
        print("flood: %s datagrams of 1400 random bytes in 5 s at both link ports; the backup %s"
              % (sent, "stayed following" if said_count(berr, "this backup sends") == took else "TOOK OVER"),
              flush=True)
        primary.say("quit")
        backup.say("quit")
        primary.proc.wait(timeout=10)
        backup.proc.wait(timeout=10)
    finally:
        rx.kill()
        down()


main()
