#!/usr/bin/env python3
"""OSC to ArtDmx on the wire, the output under a flood, and a sender outside
OscAllow, measured on the console with its window.

The show: cue n (1-200) cuts fixture 1 (slot 1) to level n, so every GO puts
a level of its own on the wire (standby after cue 200 puts 0). The console
listens for OSC on 8000 from 2.0.0.2 only (OscAllow). A sender in the peer
namespace (2.0.0.2, and 2.0.0.3 outside the allow list):

1. sends /prismel/go GOS times, about a quarter second apart, and for each waits
   for the first ArtDmx carrying the cue's level: latency p50/p99/max;
2. floods RATE datagrams/s for FLOOD_SECONDS (a third each: GOs, unknown
   addresses, garbage): the ArtDmx rate and the ticks lost on the wire (the
   flood changes the cue every tick, so every tick sends a frame), and the
   console's CPU by thread;
3. sends 200 GOs from 2.0.0.3: nothing may change on the wire.

Run it through osc_latency.sh: nothing here may send from the machine's own
network namespace.
"""
import os
import random
import struct
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
from console import Console, Receiver, check  # noqa: E402

SENDER = r'''
import os, socket, sys, time
def osc(path):
    p = path.encode() + b"\0"; p += b"\0" * (-len(p) % 4)
    return p + b",\0\0\0"
go, unknown, other = osc("/prismel/go"), osc("/prismel/nowhere"), osc("/lights/go")
allowed = socket.socket(socket.AF_INET, socket.SOCK_DGRAM); allowed.bind(("2.0.0.2", 0))
outside = socket.socket(socket.AF_INET, socket.SOCK_DGRAM); outside.bind(("2.0.0.3", 0))
to = ("2.0.0.1", 8000)
for line in sys.stdin:
    cmd = line.split()
    if cmd[0] == "go":
        t = time.monotonic(); allowed.sendto(go, to); print("%.6f" % t, flush=True)
    elif cmd[0] == "flood":
        secs, rate = float(cmd[1]), int(cmd[2])
        kinds = [go, unknown, None, go, other, None]
        sent = [0, 0, 0]; start = time.monotonic(); n = 0
        while True:
            now = time.monotonic()
            if now - start >= secs: break
            due = int((now - start) * rate)
            while n < due:
                d = kinds[n % len(kinds)]
                if d is None: d = os.urandom(8 + n % 120)
                try: allowed.sendto(d, to)
                except BlockingIOError: pass
                sent[0 if d is go else 1 if d in (unknown, other) else 2] += 1; n += 1
            time.sleep(0.0005)
        print("%d %d %d %.3f %.6f" % (sent[0], sent[1], sent[2], time.monotonic() - start, start), flush=True)
    elif cmd[0] == "outside":
        for _ in range(int(cmd[1])): outside.sendto(go, to); time.sleep(0.002)
        print("done", flush=True)
'''


def write_show(c):
    def put(ext, data):
        with open(c.path("PRSMDATA." + ext), "wb") as f:
            f.write(bytes(data))
    put("COL", bytes(500 * 9))
    put("SCN", b"".join((b"SCENE %d" % (s + 1)).ljust(21, b"\0") + struct.pack("<64h", *([-1] * 64))
                        + bytes([s + 1] + [0] * 63) for s in range(200)))
    put("CHS", b"".join(b"\0" * 22 + struct.pack("<48h", *([-1] * 48)) for _ in range(50)))
    put("CUE", b"".join(struct.pack("<8h", (i + 1) * 10, i if i < 200 else -1, 0, -1, 20, 20, 0, 0)
                        for i in range(1000)))
    put("LPT", struct.pack("<hh", 1, 0) + b"".join(struct.pack("<hh", 1, -1) for _ in range(63)))
    put("FKY", b"".join(b"\0" * 8 + struct.pack("<4h", -1, -1, 20, 20) for _ in range(10)))
    put("GRP", bytes(640))
    with open(c.path("prismel.INI"), "w") as f:
        f.write("[Option]\nOscPort=8000\nOscAllow=2.0.0.2\n")


def slot1(packet):
    return packet[2][0] if packet[2] else -1


def percentile(ordered, p):
    return ordered[min(len(ordered) - 1, int(round(p * (len(ordered) - 1))))]


def thread_cpu(pid):
    out = {}
    for tid in os.listdir("/proc/%d/task" % pid):
        try:
            name = open("/proc/%d/task/%s/comm" % (pid, tid)).read().strip()
            ns = int(open("/proc/%d/task/%s/schedstat" % (pid, tid)).read().split()[0])
        except OSError:
            continue
        out[name] = out.get(name, 0) + ns
    return out


def main():
    bin_dir, lines, peer = sys.argv[1], sys.argv[2], int(sys.argv[3])
    gos = int(sys.argv[4]) if len(sys.argv) > 4 else 50
    flood_secs = float(sys.argv[5]) if len(sys.argv) > 5 else 30
    rate = int(sys.argv[6]) if len(sys.argv) > 6 else 5000
    subprocess.run(["nsenter", "-t", str(peer), "-n", "ip", "addr", "add", "2.0.0.3/8", "dev", "pe2e1"], check=True)
    c = Console(bin_dir, name="prismel_osc_")
    rx = Receiver(lines)
    sender = subprocess.Popen(["nsenter", "-t", str(peer), "-n", "python3", "-u", "-c", SENDER],
                              stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
    try:
        write_show(c)
        c.start()
        check(rx.count() > 0, "no ArtDmx reached the receiver")
        c.screenshot("started")

        # 1. latency
        latencies = []
        for n in range(1, gos + 1):
            sender.stdin.write("go\n"); sender.stdin.flush()
            t0 = float(sender.stdout.readline())
            want = n % 201
            hit = rx.wait_for(lambda port, data: data[:1] == bytes([want]), 2.0, t0)
            check(hit is not None, "GO %d: no frame with level %d within 2 s" % (n, want))
            latencies.append((hit[0] - t0) * 1000.0)
            time.sleep(0.25 + random.random() * 0.02)  # every phase of the 20 ms frame
        ordered = sorted(latencies)
        print("latencies ms: " + " ".join("%.1f" % v for v in latencies))
        print("OSC /prismel/go to ArtDmx over %d GOs: median %.1f ms, p99 %.1f ms, max %.1f ms, min %.1f ms"
              % (len(ordered), percentile(ordered, 0.5), percentile(ordered, 0.99), ordered[-1], ordered[0]))

        # 2. flood
        pid = c.proc.pid
        cpu0, wall0 = thread_cpu(pid), time.monotonic()
        sender.stdin.write("flood %g %d\n" % (flood_secs, rate)); sender.stdin.flush()
        time.sleep(flood_secs / 2)
        c.screenshot("flood")
        gos_sent, unknown, garbage, took, start = sender.stdout.readline().split()
        cpu1, wall1 = thread_cpu(pid), time.monotonic()
        with rx.lock:
            frames = [p for p in rx.packets if float(start) + 1.0 <= p[0] <= float(start) + float(took) - 0.2]
        iv = sorted((b[0] - a[0]) * 1000 for a, b in zip(frames, frames[1:]))
        lost = sum(max(0, round(v / 20.0) - 1) for v in iv)
        total = int(gos_sent) + int(unknown) + int(garbage)
        print("flood: %d datagrams in %.1f s (%.0f/s: %s GOs, %s unknown addresses, %s garbage)"
              % (total, float(took), total / float(took), gos_sent, unknown, garbage))
        if len(frames) > 2:
            span = frames[-1][0] - frames[0][0]
            print("ArtDmx during the flood: %d frames over %.2f s = %.2f frames/s; interval ms p50 %.2f p99 %.2f "
                  "max %.2f; ticks lost %d" % (len(frames), span, (len(frames) - 1) / span, percentile(iv, 0.5),
                                               percentile(iv, 0.99), iv[-1], lost))
        wall = wall1 - wall0
        print("console cpu % of one core during the flood: " + "  ".join(
            "%s %.1f" % (k, 100 * (cpu1.get(k, 0) - cpu0.get(k, 0)) / 1e9 / wall)
            for k in sorted(cpu1, key=lambda k: -(cpu1[k] - cpu0.get(k, 0)))[:6]))
        check(c.proc.poll() is None, "the console ended during the flood")

        # 3. outside the allow list
        time.sleep(1.0)
        before = rx.last()
        t0 = time.monotonic()
        sender.stdin.write("outside 200\n"); sender.stdin.flush()
        sender.stdout.readline()
        time.sleep(1.0)
        with rx.lock:
            after = [p for p in rx.packets if p[0] >= t0]
        changed = [p for p in after if slot1(p) != slot1(before)]
        print("200 GOs from 2.0.0.3 (outside OscAllow): %d ArtDmx since, %d with another level (level %d before)"
              % (len(after), len(changed), slot1(before)))
        check(not changed, "a sender outside OscAllow changed the output")
        return 0
    finally:
        sender.kill()
        c.cleanup()


if __name__ == "__main__":
    sys.exit(main())
