#!/bin/bash
# Runs an end-to-end scenario in private network namespaces: the console's
# side in one, joined by a veth pair on 2.0.0.0/8 to a peer namespace in
# which a receiver records every ArtDmx. Nothing can leave the machine.
# Needs root (namespaces), Xvfb and xdotool; exits 77 (skipped) without them.
#   scripts/e2e/netns.sh scripts/e2e/scenarios/NAME.py BIN_DIR [ARGS...]
# The scenario gets BIN_DIR, the receiver's file and the peer's PID (for
# nsenter, to run a fake node there) as its first three arguments.
set -uo pipefail
if [ -z "${PRISMEL_E2E_INNER:-}" ]; then
  if [ "$(id -u)" -ne 0 ] || ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null; then
    echo "e2e: skipped: needs root, Xvfb and xdotool" >&2
    exit 77
  fi
  exec env PRISMEL_E2E_INNER=1 PRISMEL_REMOTE_PORT=none timeout 600 unshare -n "$0" "$@"
fi
scenario=$(realpath "${1:?usage: netns.sh SCENARIO.py BIN_DIR [ARGS...]}")
bin=$(realpath "${2:?usage: netns.sh SCENARIO.py BIN_DIR [ARGS...]}")
shift 2
here=$(dirname "$(realpath "$0")")
ip link set lo up
lines=$(mktemp)
# The peer: a receiver of its own namespace, which stays up while it runs.
unshare -n python3 "$here/artdmx_rx.py" "$lines" &
peer=$!
cleanup() { kill "$peer" 2>/dev/null; rm -f "$lines"; }
trap cleanup EXIT
for _ in $(seq 100); do
  [ "$(readlink "/proc/$peer/ns/net")" != "$(readlink /proc/$$/ns/net)" ] && break
  sleep 0.05
done
ip link add pe2e0 type veth peer name pe2e1
ip link set pe2e1 netns "$peer"
ip addr add 2.0.0.1/8 dev pe2e0
ip link set pe2e0 up
nsenter -t "$peer" -n sh -c 'ip link set lo up; ip addr add 2.0.0.2/8 dev pe2e1; ip link set pe2e1 up'
# A session bus of its own, so a scenario can read the console's dialogs
# through the accessibility bus.
if command -v dbus-run-session >/dev/null; then
  dbus-run-session -- python3 "$scenario" "$bin" "$lines" "$peer" "$@"
else
  python3 "$scenario" "$bin" "$lines" "$peer" "$@"
fi
