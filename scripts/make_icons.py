#!/usr/bin/env python3
"""Draws the built-in button icons (32x32, 32-bit ICO) into resources/icons.

The icons are simple geometric pictures so that they can be regenerated from this script:
earth (a blue globe), orvex (the product mark, an orange ring) and present (a red gift box).
"""
import math
import os
import struct
import sys

SIZE = 32


def ico(pixels):
    """Returns ICO bytes for a SIZE x SIZE list of (r, g, b, a) rows, top row first."""
    rows = b"".join(
        b"".join(struct.pack("BBBB", b, g, r, a) for (r, g, b, a) in row) for row in reversed(pixels)
    )
    mask = b"\x00" * (SIZE * SIZE // 8)  # alpha carries transparency; AND mask all opaque
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(rows) + len(mask), 0, 0, 0, 0)
    image = header + rows + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 22)
    return directory + image


def draw(shade):
    return [[shade(x + 0.5, y + 0.5) for x in range(SIZE)] for y in range(SIZE)]


def earth(x, y):
    d = math.hypot(x - 16, y - 16)
    if d > 14:
        return (0, 0, 0, 0)
    land = math.sin(x / 3.0) + math.cos(y / 4.0) > 0.9
    return (60, 160, 70, 255) if land else (40, 110, 210, 255)


def orvex(x, y):
    d = math.hypot(x - 16, y - 16)
    if 8 <= d <= 14:
        return (240, 130, 30, 255)
    return (0, 0, 0, 0)


def present(x, y):
    if not (5 <= x <= 27 and 10 <= y <= 28):
        if 9 <= x <= 23 and 5 <= y < 10 and abs(abs(x - 16) - (10 - y)) < 2.5:
            return (250, 210, 60, 255)  # bow
        return (0, 0, 0, 0)
    if abs(x - 16) < 2 or abs(y - 15) < 2:
        return (250, 210, 60, 255)  # ribbon
    return (210, 40, 50, 255)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources", "icons")
    os.makedirs(out, exist_ok=True)
    for name, shade in (("earth", earth), ("orvex", orvex), ("present", present)):
        with open(os.path.join(out, name + ".ico"), "wb") as f:
            f.write(ico(draw(shade)))


if __name__ == "__main__":
    main()
