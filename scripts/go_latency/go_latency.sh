#!/bin/bash
# GO on the run screen to ArtDmx on the wire, measured end to end in private
# network namespaces: the console in one, joined by a veth pair on 2.0.0.0/8 to
# a receiver in another. Needs root (namespaces), Xvfb and xdotool. The
# machine's serial port is hidden (in a private mount namespace), so that a
# remote GO contact it happens to show as closed cannot move the show.
#   scripts/go_latency/go_latency.sh build/default/bin
set -uo pipefail
if [ -z "${PRISMEL_GO_INNER:-}" ]; then
  exec env PRISMEL_GO_INNER=1 timeout 240 unshare -n -m "$0" "$@"
fi
[ -e /dev/ttyS0 ] && mount --bind /dev/null /dev/ttyS0
bin=$(realpath "${1:?usage: go_latency.sh BIN_DIR}")
here=$(dirname "$(realpath "$0")")
ip link set lo up
lines=$(mktemp)
unshare -n python3 "$here/../e2e/artdmx_rx.py" "$lines" &
rx=$!
cleanup() { kill "$rx" 2>/dev/null; rm -f "$lines"; }
trap cleanup EXIT
for _ in $(seq 100); do
  [ "$(readlink "/proc/$rx/ns/net")" != "$(readlink /proc/$$/ns/net)" ] && break
  sleep 0.05
done
ip link add pgo0 type veth peer name pgo1
ip link set pgo1 netns "$rx"
ip addr add 2.0.0.1/8 dev pgo0
ip link set pgo0 up
nsenter -t "$rx" -n sh -c 'ip link set lo up; ip addr add 2.0.0.2/8 dev pgo1; ip link set pgo1 up'
python3 "$here/go_latency.py" "$bin" "$lines"
