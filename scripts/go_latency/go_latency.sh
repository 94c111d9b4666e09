#!/bin/bash
# GO on the run screen to ArtDmx on the wire, measured end to end in private
# network namespaces (the end-to-end harness: the console in one, a receiver
# across a veth pair on 2.0.0.0/8 in another). Needs root, Xvfb and xdotool.
#   scripts/go_latency/go_latency.sh build/default/bin
here=$(dirname "$(realpath "$0")")
exec "$here/../e2e/netns.sh" "$here/go_latency.py" "${1:?usage: go_latency.sh BIN_DIR}"
