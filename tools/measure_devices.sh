#!/usr/bin/env bash
# Measures the device outputs beside Art-Net while prismel-show play runs a
# chase that changes every frame, in a private namespace pair (nothing leaves
# the machine):
#   artnet         ArtDmx to a receiver on 2.0.0.2 (kernel receive times)
#   artnet,usbpro  the same, and a pseudo-terminal standing in for a USB
#                  widget, which timestamps every whole frame message it reads
#   ola            olad beside the console with an Art-Net output port
#                  patched to the universe: the receiver timestamps what olad
#                  sends on, and OLA's recorder notes what olad received (its
#                  delays are whole milliseconds)
# Printed for each: frames/s, interval p50/p99/max, the CPU % of one core of
# the output thread and of the output's side thread during the chase, and
# the frames the outputs dropped.
#   tools/measure_devices.sh [BUILD_BIN_DIR] [SECONDS]   (as root)
set -euo pipefail
cd "$(dirname "$0")/.."
bin=${1:-build/default/bin}
secs=${2:-30}
tool=$(realpath "$bin/prismel-show")
work=$(mktemp -d)
chmod 755 "$work"
. tools/netns_pair.sh
cleanup() {
  netns_pair_down
  rm -rf "$work"
}
trap cleanup EXIT
netns_pair_up d
python3 tools/write_chase_show.py "$work/show"

# Interval figures of a list of times (seconds), from the first frame that
# carries the chase.
cat > "$work/figures.py" <<'PY'
def figures(kind, ts):
    if len(ts) < 3: return "%s: %d frames" % (kind, len(ts))
    iv = sorted((b - a) * 1000 for a, b in zip(ts, ts[1:]))
    pct = lambda p: iv[min(len(iv) - 1, int(p * len(iv)))]
    return ("%s: %.3f frames/s over %.1f s; interval ms p50 %.3f p99 %.3f max %.3f"
            % (kind, (len(ts) - 1) / (ts[-1] - ts[0]), ts[-1] - ts[0], pct(0.5), pct(0.99), iv[-1]))
PY
# ArtDmx receiver on 2.0.0.2: kernel timestamps, SECONDS from the first
# packet with a level above 0.
cat > "$work/artnet.py" <<'PY'
import socket, struct, sys, time
sys.path.insert(0, sys.argv[3]); from figures import figures
secs, label = float(sys.argv[1]), sys.argv[2]
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
s.setsockopt(socket.SOL_SOCKET, 35, 1)  # SO_TIMESTAMPNS
s.bind(("", 6454)); s.settimeout(0.5)
ts = []; end = time.monotonic() + secs + 30; start = None
while time.monotonic() < end and (start is None or time.monotonic() - start < secs):
    try: data, anc, _, _ = s.recvmsg(2048, 256)
    except socket.timeout: continue
    if data[:8] != b"Art-Net\0" or data[8:10] != b"\x00\x50": continue
    if start is None:
        if not any(data[18:]): continue
        start = time.monotonic()
    for lvl, typ, val in anc:
        if lvl == socket.SOL_SOCKET and typ == 35: sec, ns = struct.unpack("qq", val[:16]); ts.append(sec + ns / 1e9)
print(figures(label, ts))
PY
# The widget: the master side of a pseudo-terminal; its slave's name goes to
# the file given. Times are those of the reads; after SECONDS it reads on
# without counting until the console lets go of the terminal.
cat > "$work/widget.py" <<'PY'
import os, select, sys, time, tty
sys.path.insert(0, sys.argv[3]); from figures import figures
secs = float(sys.argv[1])
m, s = os.openpty(); tty.setraw(s); open(sys.argv[2], "w").write(os.ttyname(s)); os.close(s)
buf = b""; ts = []; start = None; whole = True; opened = False; end = time.monotonic() + secs + 30
while time.monotonic() < end:
    if not select.select([m], [], [], 0.5)[0]: continue
    try: buf += os.read(m, 65536); opened = True
    except OSError:
        if opened: break  # the console closed it
        time.sleep(0.05); continue
    now = time.monotonic()
    if start is not None and now - start > secs: buf = b""; continue
    while len(buf) >= 518:
        if buf[0] != 0x7E or buf[1] != 6 or buf[2:5] != b"\x01\x02\x00" or buf[517] != 0xE7: whole = False; buf = buf[1:]; continue
        msg, buf = buf[:518], buf[518:]
        if start is None:
            if not any(msg[5:517]): continue
            start = now
        ts.append(now)
print(figures("usbpro", ts) + ("" if whole else "; SOME MESSAGES WERE NOT WHOLE"))
PY

# CPU nanoseconds of the play process's thread named $1.
thread_cpu() {
  local t
  for t in /proc/$pid/task/*; do
    [ "$(cat $t/comm 2>/dev/null)" = "$1" ] && { awk '{ print $1 }' $t/schedstat; return; }
  done
  echo 0
}

# One run: $1 the outputs, $2 the side thread's name (or -), then play's options.
measure() {
  local outputs=$1 side=$2; shift 2
  echo "== $outputs: chase changing every frame, ${secs} s"
  ip netns exec $b timeout $((secs + 40)) python3 "$work/artnet.py" "$secs" \
    "$([ "$outputs" = ola ] && echo "olad's Art-Net" || echo artnet)" "$work" > "$work/artnet.txt" &
  local recv=$!
  sleep 0.5
  ( sleep 0.5; echo "cue 1"; sleep $((secs + 5)); echo quit ) |
    ip netns exec $a env PRISMEL_REMOTE_PORT=none timeout $((secs + 30)) "$tool" play "$work/show" --protocol "$outputs" "$@" \
      >/dev/null 2>"$work/play.txt" &
  local player=$!
  sleep 2
  if [ "$outputs" = ola ]; then
    ip netns exec $a timeout -s INT "$secs" ola_recorder -r "$work/recorded" -u 1 >/dev/null 2>&1 &
  fi
  pid=""
  for p in $(ip netns pids $a); do [ "$(cat /proc/$p/comm)" = prismel-show ] && pid=$p; done
  local o0 s0 o1 s1 t0 t1
  o0=$(thread_cpu artnet); s0=$(thread_cpu "$side"); t0=$(date +%s.%N)
  sleep "$secs"
  o1=$(thread_cpu artnet); s1=$(thread_cpu "$side"); t1=$(date +%s.%N)
  wait $recv $player || true
  cat "$work/artnet.txt"
  if [ -f "$work/recorded" ]; then
    python3 - "$work/recorded" "$work" <<'PY'
import sys
sys.path.insert(0, sys.argv[2]); from figures import figures
lines = open(sys.argv[1]).read().split("\n")[1:]
delays = [int(l) for l in lines[1::2] if l.strip().isdigit()]
t, ts = 0.0, [0.0]
for d in delays: t += d / 1000; ts.append(t)
print(figures("olad received (ola_recorder)", ts))
PY
    rm -f "$work/recorded"
  fi
  if [ -n "${widget:-}" ]; then wait $widget || true; cat "$work/widget.txt"; widget=""; fi
  awk -v o0="$o0" -v o1="$o1" -v s0="$s0" -v s1="$s1" -v t0="$t0" -v t1="$t1" -v side="$side" \
    'BEGIN { d = (t1 - t0) * 1e9; printf "output thread cpu %.3f %%", 100 * (o1 - o0) / d
             if (side != "-") printf ", %s thread cpu %.3f %%", side, 100 * (s1 - s0) / d; printf "\n" }'
  grep "frames dropped" "$work/play.txt" | sed 's/^prismel-show: //'
}

measure artnet -

python3 "$work/widget.py" "$secs" "$work/slave" "$work" > "$work/widget.txt" &
widget=$!
for i in $(seq 50); do [ -s "$work/slave" ] && break; sleep 0.1; done
measure artnet,usbpro usbpro --usbpro-device "$(cat "$work/slave")"
sleep 1

# olad in the console's namespace (its clients connect on loopback), sending
# universe 1 on as Art-Net from 2.0.0.1; every other plugin off.
mkdir "$work/ola"
for p in dummy e131 espnet ftdidmx gpio karate kinet milinst opendmx openpixelcontrol osc pathport renard sandnet \
  shownet spi stageprofi uartdmx usbdmx usbserial; do echo "enabled = false" > "$work/ola/ola-$p.conf"; done
printf 'enabled = true\nip = 2.0.0.1\noutput_ports = 1\nalways_broadcast = true\n' > "$work/ola/ola-artnet.conf"
chown -R olad "$work/ola"
ip netns exec $a timeout $((secs + 60)) setpriv --reuid=olad --regid=nogroup --clear-groups \
  olad -c "$work/ola" --no-register-with-dns-sd -l 2 > "$work/olad.log" 2>&1 &
disown
for i in $(seq 100); do ip netns exec $a ola_dev_info 2>/dev/null | grep -q '^Device' && break; sleep 0.1; done
dev=$(ip netns exec $a ola_dev_info | awk -F'[ :]' '/^Device [0-9]+: ArtNet/ { print $2 }')
ip netns exec $a ola_patch -d "$dev" -p 0 -u 1
measure ola ola --ola-universe 1
