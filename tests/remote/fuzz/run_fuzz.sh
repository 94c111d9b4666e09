#!/usr/bin/env bash
# Builds the show-control decoder fuzzer with clang (libFuzzer, ASan, UBSan)
# and runs it for a while (default 20 s).
#   tests/remote/fuzz/run_fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/../../.."
seconds=${1:-20}
cxx=$(command -v clang++ || true)
if [ -z "$cxx" ]; then
  echo "fuzz: clang++ not found; decoder fuzzer skipped" >&2
  exit 0
fi
out=build/fuzz-remote
mkdir -p "$out/corpus"
"$cxx" -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -Isrc \
  $(pkg-config --cflags liblo) tests/remote/fuzz/decoder_fuzz.cpp src/remote/osc_packet.cpp \
  src/remote/osc_commands.cpp src/remote/msc_decoder.cpp src/remote/remote_numbers.cpp \
  src/remote/sender_allow.cpp $(pkg-config --libs liblo) -o "$out/decoder_fuzz"
# Seeds: a GO with a cue, a scene with a cross time, a bundle of two
# messages, an MSC GO with list and path.
python3 - "$out/corpus" <<'PY'
import sys
d = sys.argv[1]
seeds = {
    "go": b"/prismel/go\0,s\0\0" + b"12.5\0\0\0\0",
    "scene": b"/prismel/scene/3\0\0\0\0,fid\0\0\0\0" + bytes([0x40, 0x20, 0, 0, 0, 0, 0, 1]) + bytes(8),
    "bundle": b"#bundle\0" + bytes(7) + b"\1" + bytes([0, 0, 0, 20]) + b"/prismel/back\0\0\0,\0\0\0"
              + bytes([0, 0, 0, 20]) + b"/prismel/fkey/3\0,\0\0\0",
    "msc": bytes([0xF0, 0x7F, 0x01, 0x02, 0x01, 0x01]) + b"91.5\0" + b"12\0" + bytes([0xF7]),
}
for name, data in seeds.items():
    open("%s/%s" % (d, name), "wb").write(data)
PY
timeout $((seconds + 60)) "$out/decoder_fuzz" -max_total_time="$seconds" -max_len=4096 -artifact_prefix="$out/" \
  -print_final_stats=1 "$out/corpus" 2>"$out/fuzz.log" || { tail -40 "$out/fuzz.log" >&2; exit 1; }
grep -E '^stat::number_of_executed_units' "$out/fuzz.log" | sed 's/^/fuzz: /'
echo "fuzz: show-control decoders clean for ${seconds} s"
