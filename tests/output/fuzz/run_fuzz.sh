#!/usr/bin/env bash
# Builds the receive-handler fuzzer with clang (libFuzzer, ASan, UBSan) and
# runs it for a while (default 20 s).
#   tests/output/fuzz/run_fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/../../.."
seconds=${1:-20}
. tests/fuzz/fuzz_common.sh
fuzz_start build/fuzz "the receive handler"
fuzz_build receive_fuzz \
  tests/output/fuzz/receive_fuzz.cpp src/output/artnet_packets.cpp src/output/artnet_nodes.cpp \
  src/output/artnet_receive.cpp src/output/sacn_packets.cpp
# Seeds: a poll and a reply, so the fuzzer starts inside the interesting paths.
printf 'Art-Net\0\0\x20\0\x0e\x02\0' > "$fuzz_out/corpus/poll"
{ printf 'Art-Net\0\0\x21\x02\0\0\x02\x36\x19'; head -c 225 /dev/zero; } > "$fuzz_out/corpus/reply"
{ printf '\0\x10\0\0ASC-E1.17\0\0\0\x70\x6e\0\0\0\x04'; head -c 616 /dev/zero; } > "$fuzz_out/corpus/sacn"
fuzz_run receive_fuzz "$seconds" 2048
