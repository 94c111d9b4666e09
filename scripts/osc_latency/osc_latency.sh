#!/bin/bash
# OSC to ArtDmx on the wire, and the output under a flood of datagrams,
# measured end to end in private network namespaces (the end-to-end harness:
# the console in one, a receiver and the show-control senders across a veth
# pair on 2.0.0.0/8). Needs root, Xvfb and xdotool.
#   scripts/osc_latency/osc_latency.sh build/default/bin [GOS [FLOOD_SECONDS [RATE]]]
here=$(dirname "$(realpath "$0")")
exec "$here/../e2e/netns.sh" "$here/osc_latency.py" "${1:?usage: osc_latency.sh BIN_DIR [GOS [FLOOD_SECONDS [RATE]]]}" \
  "${@:2}"
