#!/usr/bin/env python3
"""Draws the program's icon (the loudspeaker with a muted output of the Qt program's
program_icon.cpp) into the Windows icon file src/win32/velmorin.ico: 16, 32 and 48 pixels,
32-bit with alpha, sampled 4 x 4 per pixel.
    scripts/make-program-icon.py [OUT]"""
import math
import struct
import sys

NAVY, CYAN, AMBER = (24, 40, 96), (90, 200, 210), (240, 170, 60)
SPEAKER = [(12, 25), (21, 25), (33, 14), (33, 50), (21, 39), (12, 39)]


def inside_polygon(x, y, points):
    hit = False
    for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            hit = not hit
    return hit


def near_segment(x, y, a, b, half_width):
    (ax, ay), (bx, by) = a, b
    t = max(0.0, min(1.0, ((x - ax) * (bx - ax) + (y - ay) * (by - ay)) / ((bx - ax) ** 2 + (by - ay) ** 2)))
    return math.hypot(x - ax - t * (bx - ax), y - ay - t * (by - ay)) <= half_width


def in_rounded_square(x, y):
    cx, cy = min(max(x, 14), 50), min(max(y, 14), 50)
    return 2 <= x <= 62 and 2 <= y <= 62 and math.hypot(x - cx, y - cy) <= 12


def colour_at(x, y):
    if near_segment(x, y, (40, 24), (54, 40), 2.5) or near_segment(x, y, (54, 24), (40, 40), 2.5):
        return AMBER
    if inside_polygon(x, y, SPEAKER):
        return CYAN
    if in_rounded_square(x, y):
        return NAVY
    return None


def image(size):
    rows = []
    for py in range(size - 1, -1, -1):  # bottom row first
        row = b""
        for px in range(size):
            r = g = b = a = 0
            for sy in range(4):
                for sx in range(4):
                    c = colour_at((px + (sx + 0.5) / 4) * 64 / size, (py + (sy + 0.5) / 4) * 64 / size)
                    if c:
                        r, g, b, a = r + c[0], g + c[1], b + c[2], a + 1
            row += bytes([b // a, g // a, r // a, a * 255 // 16]) if a else bytes(4)
        rows.append(row)
    mask = bytes(((size + 31) // 32) * 4 * size)  # the alpha channel decides
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    return header + b"".join(rows) + mask


sizes = [16, 32, 48]
images = [image(s) for s in sizes]
out = struct.pack("<HHH", 0, 1, len(sizes))
offset = 6 + 16 * len(sizes)
for s, data in zip(sizes, images):
    out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
    offset += len(data)
out += b"".join(images)
with open(sys.argv[1] if len(sys.argv) > 1 else "src/win32/velmorin.ico", "wb") as f:
    f.write(out)
