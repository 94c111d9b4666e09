#!/usr/bin/env bash
# The console's cost and its output's timing, with its window under Xvfb or
# headless (prismel-show play), in a private namespace pair (nothing leaves the
# machine): the console on 2.0.0.1, a receiver on 2.0.0.2 that timestamps every
# ArtDmx (kernel receive times).
#
# One run of the console: SECONDS in standby (idle), then GO on cue 1, whose
# chase changes the frame every 20 ms, and SECONDS of it. Printed: frames/s,
# interval p50/p99/max, ticks skipped (a tick that sent nothing while the
# frame changed every tick), CPU % of one core of the console (and of each of
# its threads) and of the X server, the console's resident memory.
#
#   tools/measure_window.sh [--headless] [--load] [--seconds N] [BUILD_BIN_DIR]   (as root)
#
#   --headless   prismel-show play instead of the console with its window
#   --load       both cores kept busy by two spinning processes at normal
#                priority for the whole run (another program on the machine)
#   --seconds N  length of each measured phase (default 60)
#   --perf DIR   also record a call-graph profile of each phase into DIR
#                (perf record of the console and the X server)
#   --keys "K .." keys pressed (xdotool names) before the idle phase, which
#                then measures that screen: --keys "Escape F1" the scene editor
#   --idle-only  no chase phase
#   --chase-only no idle phase
set -euo pipefail
cd "$(dirname "$0")/.."

headless=0 load=0 secs=60 perfdir="" keys="" idle_only=0 chase_only=0
while [ $# -gt 0 ]; do
  case "$1" in
    --headless) headless=1 ;;
    --load) load=1 ;;
    --seconds) secs=$2; shift ;;
    --perf) perfdir=$(realpath -m "$2"); shift ;;
    --keys) keys=$2; shift ;;
    --idle-only) idle_only=1 ;;
    --chase-only) chase_only=1 ;;
    -*) echo "unknown option $1" >&2; exit 2 ;;
    *) break ;;
  esac
  shift
done
bin=$(realpath "${1:-build/default/bin}")
[ "$(id -u)" -eq 0 ] || { echo "measure_window: needs root (network namespaces)" >&2; exit 2; }
if [ $headless -eq 0 ] && ! { command -v Xvfb && command -v xdotool; } >/dev/null; then
  echo "measure_window: needs Xvfb and xdotool" >&2; exit 2
fi

[ $headless -eq 1 ] && [ -n "$keys" ] && { echo "measure_window: --keys needs the window" >&2; exit 2; }
work=$(mktemp -d)
. tools/netns_pair.sh
loaders=()
cleanup() {
  for p in "${loaders[@]}"; do kill "$p" 2>/dev/null || true; done
  netns_pair_down
  rm -rf "$work"
}
trap cleanup EXIT
netns_pair_up w

# The console's folder: the program, its files and the show. Cue 1 runs chase
# 1 over two scenes (fixture 1 at 255, then 0), each step crossfading for its
# whole length, so the frame changes every step.
folder=$work/console
mkdir -p "$folder"
for f in prismel prismel-show PRSMDATA.DEF PRSMTITL.BMP; do [ -e "$bin/$f" ] && cp "$bin/$f" "$folder/"; done
python3 tools/write_chase_show.py "$folder"

# Receiver: the kernel receive time of every ArtDmx, one line each, until killed.
cat > "$work/recv.py" <<'PY'
import signal, socket, struct, sys
out = open(sys.argv[1], "w", buffering=1)
signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
s.setsockopt(socket.SOL_SOCKET, 35, 1)  # SO_TIMESTAMPNS
s.bind(("", 6454))
while True:
    data, anc, _, _ = s.recvmsg(2048, 64)
    if len(data) < 10 or data[8:10] != b"\x00\x50": continue
    for lvl, typ, val in anc:
        if typ == 35:
            sec, ns = struct.unpack("qq", val[:16]); out.write("%d.%09d\n" % (sec, ns))
PY
ip netns exec $b timeout $((4 * secs + 120)) python3 "$work/recv.py" "$work/frames.txt" &
disown $!
sleep 0.5

if [ $load -eq 1 ]; then
  for _ in 1 2; do timeout $((4 * secs + 120)) sh -c 'while :; do :; done' & loaders+=($!); done
fi

inns() { ip netns exec $a "$@"; }
display=:$((200 + $$ % 300))
xpid=""
if [ $headless -eq 0 ]; then
  inns timeout $((4 * secs + 120)) Xvfb $display -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  disown $!
  for _ in $(seq 50); do
    for p in $(ip netns pids $a); do [ "$(cat /proc/$p/comm 2>/dev/null)" = Xvfb ] && xpid=$p; done
    [ -n "$xpid" ] && [ -e /tmp/.X11-unix/X${display#:} ] && break
    sleep 0.1
  done
  (cd "$folder" && inns env DISPLAY=$display PRISMEL_REMOTE_PORT=none QT_QPA_PLATFORM=xcb \
    timeout $((4 * secs + 60)) ./prismel >/dev/null 2>&1) &
  disown $!
  name=prismel
  key() { inns env DISPLAY=$display xdotool key "$1"; }
else
  mkfifo "$work/cmd"
  inns env PRISMEL_REMOTE_PORT=none timeout $((4 * secs + 60)) "$folder/prismel-show" play "$folder" \
    <"$work/cmd" >/dev/null 2>&1 &
  disown $!
  exec 9>"$work/cmd"
  name=prismel-show
  key() { echo "cue 1" >&9; }
fi
pid=""
for _ in $(seq 100); do
  for p in $(ip netns pids $a); do [ "$(cat /proc/$p/comm 2>/dev/null)" = $name ] && pid=$p; done
  [ -n "$pid" ] && break
  sleep 0.1
done
[ -n "$pid" ] || { echo "measure_window: the console did not start" >&2; exit 1; }
sleep 6  # the title sequence (2.5 s) ends on the run screen

# CPU nanoseconds of all threads of a process (schedstat of each task).
cpu_of() { [ -n "$1" ] && cat /proc/$1/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%.0f", s }' || echo 0; }
threads_of() { for t in /proc/$1/task/*; do printf '%s %s %s\n' "${t##*/}" "$(tr ' ' _ <$t/comm)" "$(cut -d' ' -f1 $t/schedstat)"; done; }
now() { date +%s.%N; }
# Time the hypervisor ran something else on this machine's CPUs (USER_HZ ticks):
# a virtual machine's frames can be late for reasons no program inside can fix.
steal_of() { awk '/^cpu / { print $9 }' /proc/stat; }

# measure PHASE: CPU of the console, its threads and the X server over SECONDS.
measure() {
  local phase=$1 t0 t1 c0 c1 x0 x1
  threads_of $pid >"$work/$phase.threads0"
  c0=$(cpu_of $pid); x0=$(cpu_of "$xpid"); t0=$(now); steal_of >"$work/$phase.steal0"
  if [ -n "$perfdir" ]; then
    mkdir -p "$perfdir"
    perf record -q -F 999 --call-graph dwarf,8192 -o "$perfdir/$phase.console.data" -p $pid -- sleep "$secs" >/dev/null 2>&1 &
    [ -n "$xpid" ] && perf record -q -F 999 --call-graph dwarf,8192 -o "$perfdir/$phase.xserver.data" -p $xpid -- sleep "$secs" >/dev/null 2>&1 &
  fi
  # The sender's side too: when the console's ArtDmx sendto calls entered the
  # kernel (the receiver's times include the path through the veth pair).
  local sendrec=""
  if [ "$phase" = chase ] && command -v perf >/dev/null; then
    perf record -q -e syscalls:sys_enter_sendto --filter 'len == 530' -o "$work/send.data" -p $pid \
      -- sleep "$secs" >/dev/null 2>&1 &
    sendrec=$!
  fi
  sleep "$secs"
  c1=$(cpu_of $pid); x1=$(cpu_of "$xpid"); t1=$(now); steal_of >"$work/$phase.steal1"
  if [ -n "$sendrec" ]; then
    wait $sendrec 2>/dev/null || true
    perf script -F time --ns -i "$work/send.data" 2>/dev/null | tr -d ' :' >"$work/sends.txt" || true
  fi
  wait_perf
  threads_of $pid >"$work/$phase.threads1"
  echo "$t0 $t1 $c0 $c1 $x0 $x1" >"$work/$phase.cpu"
}
wait_perf() { if [ -n "$perfdir" ]; then sleep 1; fi; }

for k in $keys; do key "$k"; sleep 0.5; done
[ -n "$keys" ] && sleep 2
[ $chase_only -eq 1 ] || measure idle
if [ $idle_only -eq 0 ]; then
  key Return
  sleep 3
  measure chase
fi
rss=$(awk '/^VmRSS/ { print $2 }' /proc/$pid/status)
xrss=$([ -n "$xpid" ] && awk '/^VmRSS/ { print $2 }' /proc/$xpid/status || echo 0)

echo "== $([ $headless -eq 1 ] && echo "headless (prismel-show play)" || echo "console with its window (Xvfb)")," \
  "${secs} s per phase, machine $([ $load -eq 1 ] && echo "loaded (2 spinning processes)" || echo "not loaded by the script")," \
  "load average $(cut -d' ' -f1-3 /proc/loadavg)"
python3 - "$work" "$secs" "$rss" "$xrss" "$keys" <<'PY'
import sys
work, secs, rss, xrss, keys = sys.argv[1], float(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4]), sys.argv[5]
def cpu(phase):
    t0, t1, c0, c1, x0, x1 = map(float, open("%s/%s.cpu" % (work, phase)).read().split())
    wall = t1 - t0
    return t0, t1, 100 * (c1 - c0) / 1e9 / wall, 100 * (x1 - x0) / 1e9 / wall, wall
def threads(phase, wall):
    a = {l.split()[0]: (l.split()[1], int(l.split()[2])) for l in open("%s/%s.threads0" % (work, phase))}
    b = {l.split()[0]: (l.split()[1], int(l.split()[2])) for l in open("%s/%s.threads1" % (work, phase))}
    per = {}
    for tid, (name, ns) in b.items():
        d = ns - a.get(tid, (name, 0))[1]
        per[name] = per.get(name, 0) + d
    return "  ".join("%s %.3f" % (n, 100 * d / 1e9 / wall) for n, d in sorted(per.items(), key=lambda x: -x[1]) if d > 0)
import os
ts = [float(l) for l in open(work + "/frames.txt")]
for phase in [p for p in ("idle", "chase") if os.path.exists("%s/%s.cpu" % (work, p))]:
    t0, t1, c, x, wall = cpu(phase)
    print("-- %s" % (("idle in standby" + (", keys " + keys if keys else "")) if phase == "idle" else "chase changing every frame"))
    print("cpu %% of one core: console %.3f  X server %.3f  together %.3f" % (c, x, c + x))
    print("  console threads: %s" % threads(phase, wall))
    s0, s1 = (int(open("%s/%s.steal%d" % (work, phase, i)).read()) for i in (0, 1))
    print("steal time of the machine (all CPUs): %.2f %% of the wall time" % (100 * (s1 - s0) / 100.0 / wall))
    if phase == "chase":
        f = [t for t in ts if t0 <= t <= t1]
        iv = sorted((b - a) * 1000 for a, b in zip(f, f[1:]))
        if len(iv) < 2:
            print("frames: too few (%d)" % len(f)); continue
        pct = lambda p: iv[min(len(iv) - 1, int(p * len(iv)))]
        skipped = sum(max(0, round(v / 20.0) - 1) for v in iv)
        print("frames %d over %.3f s: %.3f fps" % (len(f), f[-1] - f[0], (len(f) - 1) / (f[-1] - f[0])))
        print("interval ms: p50 %.3f  p99 %.3f  max %.3f  min %.3f" % (pct(0.5), pct(0.99), iv[-1], iv[0]))
        print("ticks skipped %d  intervals over 25 ms %d" % (skipped, sum(1 for v in iv if v > 25)))
        if os.path.exists(work + "/sends.txt"):
            st = [float(l) for l in open(work + "/sends.txt") if l.strip()]
            sv = sorted((b - a) * 1000 for a, b in zip(st, st[1:]))
            if len(sv) > 2:
                sp = lambda p: sv[min(len(sv) - 1, int(p * len(sv)))]
                print("sent (sendto entry), interval ms: p99 %.3f  max %.3f  over 25 ms %d  (%d sends)"
                      % (sp(0.99), sv[-1], sum(1 for v in sv if v > 25), len(st)))
print("resident memory: console %.1f MiB  X server %.1f MiB" % (rss / 1024, xrss / 1024))
PY
