#!/usr/bin/env python3
# The show the backup measurement and its end-to-end test play, written into
# FOLDER: fixtures 1-4 patched at slots 1-16 (layout 1). Cues 1-200 follow
# each other by their wait times (6 s): each crossfades fixture 1 or 2 in over
# 5.1 s (255 engine steps, so its level counts the steps since the GO) and
# the other out, alternately, while chase 1 crossfades fixtures 3 and 4 back
# and forth, a step every 0.5 s, so the frame changes every 20 ms. With
# --other the show differs in one scene name only.
#
#   tools/write_backup_show.py FOLDER [--other]
import os, struct, sys

d = sys.argv[1]
other = "--other" in sys.argv[2:]
os.makedirs(d, exist_ok=True)
def w(ext, data): open(os.path.join(d, "PRSMDATA." + ext), "wb").write(data)
w("COL", b"\0" * 9 * 400 + b"FULL\0\0" + bytes([255, 255, 255]) + b"\0" * 9 * 99)
def scene(name, lit): return name.ljust(21, b"\0") + struct.pack("<64h", *[400 if f == lit else -1 for f in range(64)]) \
    + bytes(255 if f == lit else 0 for f in range(64))
w("SCN", scene(b"OTHER" if other else b"ONE", 0) + scene(b"TWO", 1) + scene(b"C3", 2) + scene(b"C4", 3)
  + b"".join(scene(b"", -1) for _ in range(196)))
chase0 = b"RUN".ljust(21, b"\0") + bytes([2]) + struct.pack("<48h", 2, 3, *([-1] * 46))
w("CHS", chase0 + b"".join(b"\0" * 21 + bytes([0]) + struct.pack("<48h", *([-1] * 48)) for _ in range(49)))
cues = b"".join(struct.pack("<8h", (i + 1) * 10, i % 2, 102, 0, 10, 10, 0, 120) for i in range(200))
cues += b"".join(struct.pack("<8h", (i + 1) * 10, -1, 20, -1, 20, 20, 0, 0) for i in range(200, 1000))
w("CUE", cues)
w("LPT", b"".join(struct.pack("<2h", 1, 4 * f if f < 4 else -1) for f in range(64)))
w("FKY", b"".join(b"\0" * 8 + struct.pack("<4h", -1, -1, 20, 20) for _ in range(10)))
w("GRP", b"\0" * 640)
