#!/usr/bin/env bash
# Builds the show-control decoder fuzzer with clang (libFuzzer, ASan, UBSan)
# and runs it for a while (default 20 s).
#   tests/remote/fuzz/run_fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/../../.."
seconds=${1:-20}
. tests/fuzz/fuzz_common.sh
fuzz_start build/fuzz-remote "the show-control decoders"
fuzz_build decoder_fuzz \
  $(pkg-config --cflags liblo) tests/remote/fuzz/decoder_fuzz.cpp src/remote/osc_packet.cpp \
  src/remote/osc_commands.cpp src/remote/msc_decoder.cpp src/remote/remote_numbers.cpp \
  src/remote/sender_allow.cpp $(pkg-config --libs liblo)
# Seeds: a GO with a cue, a scene with a cross time, a bundle of two
# messages, an MSC GO with list and path.
python3 - "$fuzz_out/corpus" <<'PY'
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
fuzz_run decoder_fuzz "$seconds" 4096
