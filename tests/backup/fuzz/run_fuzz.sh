#!/usr/bin/env bash
# Builds the fuzzer of the messages between a primary and its backups with
# clang (libFuzzer, ASan, UBSan) and runs it for a while (default 20 s).
#   tests/backup/fuzz/run_fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/../../.."
seconds=${1:-20}
. tests/fuzz/fuzz_common.sh
fuzz_start build/fuzz-backup "the link messages"
fuzz_build link_fuzz \
  tests/backup/fuzz/link_fuzz.cpp src/backup/link_message.cpp src/engine/engine_mirror.cpp \
  src/engine/engine_mutex.cpp src/engine/playback_journal.cpp -lpthread
# Seeds: a state in the middle of a fade, a bare subscription, a show
# request and a part, each sound, as the consoles send them.
python3 - "$fuzz_out/corpus" <<'PY'
import struct, sys, zlib
d = sys.argv[1]
def datagram(kind, body):
    n = 28 + len(body) + 4
    head = b"PRSMLINK" + bytes([1, kind]) + struct.pack("<HIIQ", n, 7, 1, 0x1122334455667788)
    return head + body + struct.pack("<I", zlib.crc32(head + body))
fields = struct.pack("<17i", 4, 120, 7, 255, 100, 100, 155, 2, 3, 1, 0, 25, -4, 25, 3, 30, 225)
playback = fields + bytes([1, 0, 0, 0]) + bytes([0, 1] * 32) + bytes(range(256)) * 6
seeds = {
    "state": datagram(1, bytes([1, 0, 0, 0]) + playback),
    "subscribe": datagram(2, bytes(4)),
    "active": datagram(2, bytes([3, 0, 0, 0]) + playback),
    "request": datagram(3, struct.pack("<QB3xI", 0xFEED, 1, 2048)),
    "part": datagram(4, struct.pack("<QBBHII", 0xFEED, 6, 0, 640, 0, 640) + bytes(640)),
}
for name, data in seeds.items():
    open("%s/%s" % (d, name), "wb").write(data)
PY
fuzz_run link_fuzz "$seconds" 2048
