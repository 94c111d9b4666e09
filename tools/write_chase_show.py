#!/usr/bin/env python3
# The show the measuring scripts play, written into FOLDER: cue 1 runs chase 1
# over two scenes (fixture 1 at 255, then 0), each step crossfading for its
# whole length, so the frame changes every 20 ms; fixture 1 is patched at 1.
#
#   tools/write_chase_show.py FOLDER
import os, struct, sys

d = sys.argv[1]
os.makedirs(d, exist_ok=True)
def w(ext, data): open(os.path.join(d, "PRSMDATA." + ext), "wb").write(data)
w("COL", b"\0" * 9 * 500)
def scene(size0): return b"\0" * 21 + struct.pack("<64h", 0, *([-1] * 63)) + bytes([size0] + [0] * 63)
w("SCN", scene(255) + scene(0) + b"".join(scene(0) for _ in range(198)))
chase0 = b"\0" * 21 + bytes([2]) + struct.pack("<48h", 0, 1, *([-1] * 46))
w("CHS", chase0 + b"".join(b"\0" * 21 + bytes([0]) + struct.pack("<48h", *([-1] * 48)) for _ in range(49)))
cues = struct.pack("<8h", 10, -1, 0, 0, 20, 20, 0, 0)
cues += b"".join(struct.pack("<8h", (i + 1) * 10, -1, 20, -1, 20, 20, 0, 0) for i in range(1, 1000))
w("CUE", cues)
w("LPT", struct.pack("<2h", 1, 0) + b"".join(struct.pack("<2h", 1, -1) for _ in range(63)))
w("FKY", b"".join(b"\0" * 8 + struct.pack("<4h", -1, -1, 20, 20) for _ in range(10)))
w("GRP", b"\0" * 640)
