#!/usr/bin/env bash
# Measures the output in a private namespace pair (nothing leaves the
# machine): a receiver on 2.0.0.2 timestamps every ArtDmx and sACN data packet
# (kernel receive times) while prismel-show play on 2.0.0.1 runs a chase that
# changes every frame; then the CPU time of play while it idles in standby.
# With unicast delivery the receiver answers polls as a node whose output
# port takes universe 0, so ArtDmx comes to its own address.
#   tools/measure_output.sh [BUILD_BIN_DIR] [SECONDS] [artnet|sacn|both] [broadcast|unicast]   (as root)
# The console itself, with its window under Xvfb or headless, idle and with
# the chase, optionally on a loaded machine (frames/s, interval p99 and max,
# ticks skipped, CPU of the console and the X server, memory):
#   tools/measure_output.sh --window [--load] [--seconds N] [--perf DIR] [BUILD_BIN_DIR]
#   tools/measure_output.sh --play [--load] [--seconds N] [BUILD_BIN_DIR]
# The USB widget (a pseudo-terminal) and olad beside Art-Net:
#   tools/measure_output.sh --devices [BUILD_BIN_DIR] [SECONDS]
set -euo pipefail
case "${1:-}" in
  --window) shift; exec "$(dirname "$0")/measure_window.sh" "$@" ;;
  --play) shift; exec "$(dirname "$0")/measure_window.sh" --headless "$@" ;;
  --devices) shift; exec "$(dirname "$0")/measure_devices.sh" "$@" ;;
esac
cd "$(dirname "$0")/.."
bin=${1:-build/default/bin}
secs=${2:-60}
protocol=${3:-artnet}
delivery=${4:-broadcast}
output=(--protocol "$protocol" --delivery "$delivery")
tool=$(realpath "$bin/prismel-show")
work=$(mktemp -d)
. tools/netns_pair.sh
cleanup() {
  netns_pair_down
  rm -rf "$work"
}
trap cleanup EXIT
netns_pair_up m

# The show: cue 1 runs chase 1 over two scenes (fixture 1 at 255, then 0), each
# step crossfading for its whole length, so the frame changes every step.
python3 tools/write_chase_show.py "$work/show"

# Receiver: kernel timestamps of every ArtDmx and sACN data packet from the
# first one carrying the chase, for SECONDS; then the figures of each stream.
# It answers ArtPoll as a node with an output port on universe 0.
cat > "$work/recv.py" <<'PY'
import select, socket, struct, sys, time
secs, protocol, measure = float(sys.argv[1]), sys.argv[2], sys.argv[3] == "measure"
TS, PKTINFO = 35, 8  # SO_TIMESTAMPNS, IP_PKTINFO
def receiver(port, group=None):
    s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    s.setsockopt(socket.SOL_SOCKET, socket.SO_BROADCAST, 1)
    s.setsockopt(socket.SOL_SOCKET, TS, 1)
    s.setsockopt(socket.IPPROTO_IP, PKTINFO, 1)
    s.bind(("", port))
    if group:
        s.setsockopt(socket.IPPROTO_IP, socket.IP_ADD_MEMBERSHIP, socket.inet_aton(group) + socket.inet_aton("2.0.0.2"))
    return s
art = receiver(6454)
sacn = receiver(5568, "239.255.0.1")
reply = bytearray(239); reply[0:8] = b"Art-Net\0"; reply[8:10] = b"\x00\x21"
reply[10:14] = bytes([2, 0, 0, 2]); reply[14:16] = b"\x36\x19"; reply[26:36] = b"Recorder\0\0"
reply[173] = 1; reply[174] = 0x80; reply[190] = 0
streams = {"artnet": [], "sacn": []}; dests = {}; seqs = []
start = None; end = time.monotonic() + (secs + 30 if measure else secs)
while time.monotonic() < end:
    if start is not None and time.monotonic() - start > secs: break
    ready, _, _ = select.select([art, sacn], [], [], 0.5)
    for s in ready:
        data, anc, _, _ = s.recvmsg(2048, 256)
        t = dst = None
        for lvl, typ, val in anc:
            if lvl == socket.SOL_SOCKET and typ == TS: sec, ns = struct.unpack("qq", val[:16]); t = sec + ns / 1e9
            if lvl == socket.IPPROTO_IP and typ == PKTINFO: dst = socket.inet_ntoa(val[8:12])
        if s is art:
            if data[:8] != b"Art-Net\0" or len(data) < 14: continue
            if data[8:10] == b"\x00\x20": art.sendto(bytes(reply), ("2.255.255.255", 6454)); continue
            if data[8:10] != b"\x00\x50" or len(data) < 18: continue
            kind, levels = "artnet", data[18:]
        else:
            if len(data) != 638 or data[4:13] != b"ASC-E1.17" or data[112] & 0x40: continue
            kind, levels = "sacn", data[126:]
        if not measure: continue
        if start is None:
            if not any(levels): continue  # before the chase
            start = time.monotonic()
        streams[kind].append(t)
        if kind == "artnet": dests[dst] = dests.get(dst, 0) + 1
        else: seqs.append(data[111])
if measure:
    for kind in ("artnet", "sacn"):
        ts = streams[kind]
        if len(ts) < 3: continue
        iv = sorted((b - a) * 1000 for a, b in zip(ts, ts[1:]))
        def pct(p): return iv[min(len(iv) - 1, int(p * len(iv)))]
        print("%s: frames %d over %.3f s: %.3f fps" % (kind, len(ts), ts[-1] - ts[0], (len(ts) - 1) / (ts[-1] - ts[0])))
        print("%s: interval ms: p50 %.3f  p99 %.3f  max %.3f  min %.3f" % (kind, pct(0.5), pct(0.99), iv[-1], iv[0]))
    if dests: print("artnet: to " + ", ".join("%s %d" % kv for kv in sorted(dests.items())))
    if seqs: print("sacn: sequence gaps %d" % sum(1 for a, b in zip(seqs, seqs[1:]) if (a + 1) % 256 != b))
PY
ip netns exec $b timeout $((secs + 40)) python3 "$work/recv.py" "$secs" "$protocol" measure > "$work/recv.txt" &
recv=$!
sleep 1
( sleep 0.5; echo "cue 1"; sleep $((secs + 4)); echo quit ) |
  ip netns exec $a timeout $((secs + 20)) "$tool" play "$work/show" "${output[@]}" >/dev/null 2>&1
wait $recv
echo "== $protocol $delivery: chase changing every frame, ${secs} s"
cat "$work/recv.txt"

# Idle: standby for SECONDS (the node still answering polls), CPU time of the
# process from /proc.
ip netns exec $b timeout $((secs + 30)) python3 "$work/recv.py" "$((secs + 8))" "$protocol" answer >/dev/null &
ip netns exec $a timeout $((secs + 20)) "$tool" play "$work/show" "${output[@]}" --seconds $((secs + 5)) </dev/null >/dev/null 2>&1 &
sleep 2
pid=""
for p in $(ip netns pids $a); do [ "$(cat /proc/$p/comm)" = prismel-show ] && pid=$p; done
# Nanoseconds on the CPU, all threads of the process (schedstat of each task).
cpu() { cat /proc/$pid/task/*/schedstat | awk '{ s += $1 } END { printf "%.0f", s }'; }
c0=$(cpu); t0=$(date +%s.%N)
sleep "$secs"
c1=$(cpu); t1=$(date +%s.%N)
wait || true
echo "== $protocol $delivery: idle in standby, ${secs} s"
awk -v c0="$c0" -v c1="$c1" -v t0="$t0" -v t1="$t1" \
  'BEGIN { cpu = (c1 - c0) / 1e9; printf "cpu %.4f s over %.1f s: %.4f %% of one core\n", cpu, t1 - t0, 100 * cpu / (t1 - t0) }'
