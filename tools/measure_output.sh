#!/usr/bin/env bash
# Measures the Art-Net output in a private namespace pair (nothing leaves the
# machine): a receiver on 2.0.0.2 timestamps every ArtDmx (kernel receive
# times) while prismel-show play on 2.0.0.1 runs a chase that changes every
# frame; then the CPU time of play while it idles in standby.
#   tools/measure_output.sh [BUILD_BIN_DIR] [SECONDS]     (as root)
# The console itself, with its window under Xvfb or headless, idle and with
# the chase, optionally on a loaded machine (frames/s, interval p99 and max,
# ticks skipped, CPU of the console and the X server, memory):
#   tools/measure_output.sh --window [--load] [--seconds N] [--perf DIR] [BUILD_BIN_DIR]
#   tools/measure_output.sh --play [--load] [--seconds N] [BUILD_BIN_DIR]
set -euo pipefail
case "${1:-}" in
  --window) shift; exec "$(dirname "$0")/measure_window.sh" "$@" ;;
  --play) shift; exec "$(dirname "$0")/measure_window.sh" --headless "$@" ;;
esac
cd "$(dirname "$0")/.."
bin=${1:-build/default/bin}
secs=${2:-60}
tool=$(realpath "$bin/prismel-show")
work=$(mktemp -d)
a=prismel-m$$a b=prismel-m$$b
cleanup() {
  for ns in $a $b; do ip netns pids $ns 2>/dev/null | xargs -r kill -9 2>/dev/null || true; ip netns del $ns 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
ip netns add $a; ip netns add $b
ip -n $a link add ma$$ type veth peer name mb$$ netns $b
ip -n $a addr add 2.0.0.1/8 brd + dev ma$$; ip -n $a link set ma$$ up; ip -n $a link set lo up
ip -n $b addr add 2.0.0.2/8 brd + dev mb$$; ip -n $b link set mb$$ up; ip -n $b link set lo up

# The show: cue 1 runs chase 1 over two scenes (fixture 1 at 255, then 0), each
# step crossfading for its whole length, so the frame changes every step.
python3 - "$work/show" <<'PY'
import os, struct, sys
d = sys.argv[1]; os.makedirs(d)
def w(ext, data): open(os.path.join(d, "PRSMDATA." + ext), "wb").write(data)
w("COL", b"\0" * 9 * 500)
def scene(size0): return b"\0" * 21 + struct.pack("<64h", 0, *([-1] * 63)) + bytes([size0] + [0] * 63)
w("SCN", scene(255) + scene(0) + b"".join(scene(0) for _ in range(198)))
chase0 = b"\0" * 21 + bytes([2]) + struct.pack("<48h", 0, 1, *([-1] * 46))
w("CHS", chase0 + b"".join(b"\0" * 21 + bytes([0]) + struct.pack("<48h", *([-1] * 48)) for _ in range(49)))
cues = struct.pack("<8h", 10, -1, 0, 0, 20, 20, 0, 0)
cues += b"".join(struct.pack("<8h", (i + 1) * 10, -1, 20, -1, 20, 20, 0, 0) for i in range(1, 1000))
w("CUE", cues)
w("LPT", struct.pack("<2h", 1, 0) + b"".join(struct.pack("<2h", 1, -1) for _ in range(63)))
w("FKY", b"".join(b"\0" * 8 + struct.pack("<4h", -1, -1, 20, 20) for _ in range(10)))
w("GRP", b"\0" * 640)
PY

# Receiver: kernel timestamps of every ArtDmx for SECONDS, then the figures.
cat > "$work/recv.py" <<'PY'
import socket, struct, sys, time
secs = float(sys.argv[1])
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
s.setsockopt(socket.SOL_SOCKET, 35, 1)  # SO_TIMESTAMPNS
s.bind(("", 6454)); s.settimeout(0.5)
ts = []; first = None
while True:
    try: data, anc, _, _ = s.recvmsg(2048, 64)
    except socket.timeout:
        if first is not None and time.monotonic() - first > secs: break
        continue
    if len(data) < 10 or data[8:10] != b"\x00\x50": continue
    t = None
    for lvl, typ, val in anc:
        if typ == 35: sec, ns = struct.unpack("qq", val[:16]); t = sec + ns / 1e9
    if first is None: first = time.monotonic()
    ts.append(t)
    if time.monotonic() - first > secs: break
ts = ts[1:]  # drop the start packet (before the cue)
iv = sorted((b - a) * 1000 for a, b in zip(ts, ts[1:]))
def pct(p): return iv[min(len(iv) - 1, int(p * len(iv)))]
print("frames %d over %.3f s: %.3f fps" % (len(ts), ts[-1] - ts[0], (len(ts) - 1) / (ts[-1] - ts[0])))
print("interval ms: p50 %.3f  p99 %.3f  max %.3f  min %.3f" % (pct(0.5), pct(0.99), iv[-1], iv[0]))
PY
ip netns exec $b timeout $((secs + 30)) python3 "$work/recv.py" "$((secs + 1))" > "$work/recv.txt" &
recv=$!
sleep 1
( sleep 0.5; echo "cue 1"; sleep $((secs + 3)); echo quit ) | ip netns exec $a timeout $((secs + 20)) "$tool" play "$work/show" >/dev/null
wait $recv
echo "== chase changing every frame, ${secs} s"
cat "$work/recv.txt"

# Idle: standby for SECONDS, CPU time of the process from /proc.
ip netns exec $a timeout $((secs + 20)) "$tool" play "$work/show" --seconds $((secs + 5)) </dev/null >/dev/null &
sleep 2
pid=""
for p in $(ip netns pids $a); do [ "$(cat /proc/$p/comm)" = prismel-show ] && pid=$p; done
# Nanoseconds on the CPU, all threads of the process (schedstat of each task).
cpu() { cat /proc/$pid/task/*/schedstat | awk '{ s += $1 } END { printf "%.0f", s }'; }
c0=$(cpu); t0=$(date +%s.%N)
sleep "$secs"
c1=$(cpu); t1=$(date +%s.%N)
wait || true
echo "== idle in standby, ${secs} s"
awk -v c0="$c0" -v c1="$c1" -v t0="$t0" -v t1="$t1" \
  'BEGIN { cpu = (c1 - c0) / 1e9; printf "cpu %.4f s over %.1f s: %.4f %% of one core\n", cpu, t1 - t0, 100 * cpu / (t1 - t0) }'
