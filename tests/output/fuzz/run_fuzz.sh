#!/usr/bin/env bash
# Builds the receive-handler fuzzer with clang (libFuzzer, ASan, UBSan) and
# runs it for a while (default 20 s).
#   tests/output/fuzz/run_fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/../../.."
seconds=${1:-20}
cxx=$(command -v clang++ || true)
if [ -z "$cxx" ]; then
  echo "fuzz: clang++ not found; receive fuzzer skipped" >&2
  exit 0
fi
out=build/fuzz
mkdir -p "$out/corpus"
"$cxx" -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -Isrc \
  tests/output/fuzz/receive_fuzz.cpp src/output/artnet_packets.cpp src/output/artnet_nodes.cpp \
  src/output/artnet_receive.cpp src/output/sacn_packets.cpp -o "$out/receive_fuzz"
# Seeds: a poll and a reply, so the fuzzer starts inside the interesting paths.
printf 'Art-Net\0\0\x20\0\x0e\x02\0' > "$out/corpus/poll"
{ printf 'Art-Net\0\0\x21\x02\0\0\x02\x36\x19'; head -c 225 /dev/zero; } > "$out/corpus/reply"
{ printf '\0\x10\0\0ASC-E1.17\0\0\0\x70\x6e\0\0\0\x04'; head -c 616 /dev/zero; } > "$out/corpus/sacn"
timeout $((seconds + 60)) "$out/receive_fuzz" -max_total_time="$seconds" -max_len=2048 \
  -print_final_stats=1 "$out/corpus" 2>"$out/fuzz.log" || { tail -40 "$out/fuzz.log" >&2; exit 1; }
grep -E '^stat::number_of_executed_units' "$out/fuzz.log" | sed 's/^/fuzz: /'
echo "fuzz: receive handler clean for ${seconds} s"
