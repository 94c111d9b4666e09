#!/usr/bin/env python3
"""Draws the console's title image, assets/PRSMTITL.BMP (640 x 300, 24-bit).

Three overlapping cyan, magenta and yellow discs mix their colours above
the name in block letters. The lower sixth stays dark: the
console writes its notice line there. Plain Python, no imaging library.
    scripts/make_title_image.py [OUTPUT]
"""
import colorsys
import math
import struct
import sys

W, H = 640, 300

FONT = {  # 5 x 7 block letters
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "I": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
}


def background(x, y):
    t = y / H
    return (int(10 + 18 * t), int(14 + 10 * t), int(34 + 30 * (1 - t)))


def disc(x, y, cx, cy, r):
    """Coverage of a pixel by a disc, with a one-pixel soft edge."""
    d = math.hypot(x - cx, y - cy)
    return max(0.0, min(1.0, r + 0.5 - d))


def blend(c1, c2, a):
    return tuple(int(c1[i] * (1 - a) + c2[i] * a) for i in range(3))


def draw():
    img = [[background(x, y) for x in range(W)] for y in range(H)]
    # Cyan, magenta and yellow filters over white light: where they overlap
    # they take away more, down to black where all three meet, as the
    # console's colour-mixing fixtures do.
    r = 50
    centres = [(320 - 31, 60), (320 + 31, 60), (320, 60 + 52)]
    takes = [(1.0, 0.0, 0.0), (0.0, 1.0, 0.0), (0.0, 0.0, 1.0)]  # red, green, blue removed
    for y in range(0, 120 + r):
        for x in range(320 - 2 * r - 40, 320 + 2 * r + 40):
            cover = [disc(x, y, cx, cy, r) for cx, cy in centres]
            if max(cover) == 0:
                continue
            light = [1.0, 1.0, 1.0]
            for k, a in enumerate(cover):
                for ch in range(3):
                    light[ch] *= 1.0 - 0.92 * takes[k][ch] * a
            lit = tuple(int(250 * v) for v in light)
            img[y][x] = blend(img[y][x], lit, max(cover))
    # The name, centred, in block letters with a soft shadow.
    word, scale, gap = "PRISMEL", 8, 2
    width = len(word) * (5 + gap) * scale - gap * scale
    x0, y0 = (W - width) // 2, 176
    for i, ch in enumerate(word):
        for row, bits in enumerate(FONT[ch]):
            for col, bit in enumerate(bits):
                if bit != "#":
                    continue
                bx, by = x0 + (i * (5 + gap) + col) * scale, y0 + row * scale
                for yy in range(by, by + scale):
                    for xx in range(bx, bx + scale):
                        if xx + 3 < W and yy + 3 < H:
                            img[yy + 3][xx + 3] = blend(img[yy + 3][xx + 3], (0, 0, 0), 0.6)
                for yy in range(by, by + scale):
                    for xx in range(bx, bx + scale):
                        t = (yy - y0) / (7 * scale)
                        img[yy][xx] = blend((250, 250, 255), (140, 200, 255), t)
    return img


def write_bmp(path, img):
    row_bytes = (W * 3 + 3) & ~3
    data = bytearray()
    for y in range(H - 1, -1, -1):  # bottom-up rows
        row = bytearray()
        for x in range(W):
            r, g, b = img[y][x]
            row += bytes((b, g, r))
        row += b"\0" * (row_bytes - len(row))
        data += row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


if __name__ == "__main__":
    write_bmp(sys.argv[1] if len(sys.argv) > 1 else "assets/PRSMTITL.BMP", draw())
