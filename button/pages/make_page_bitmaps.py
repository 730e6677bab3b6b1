#!/usr/bin/env python3
"""Draws the pages' bitmap resources into the given folder: page_profi.bmp, the 56 x 38 picture of
the Profi page's "Smart tuning" group (a tuning dial over a blue gradient)."""
import math
import struct
import sys
from pathlib import Path


def write_bmp(path, width, height, pixel):
    row_bytes = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):  # bottom-up
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (row_bytes - width * 3)
        rows.append(bytes(row))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    path.write_bytes(header + info + data)


def profi(x, y):
    cx, cy, radius = 28, 19, 15
    d = math.hypot(x - cx, y - cy)
    if d <= radius:
        angle = math.atan2(y - cy, x - cx)
        # The needle points up and to the right.
        needle = abs(math.sin(angle + math.pi / 4)) * d < 1.2 and x >= cx and y <= cy
        if needle:
            return (250, 10, 20)
        if d > radius - 2:
            return (40, 40, 40)
        tick = d > radius - 5 and abs(math.sin(angle * 6)) < 0.25
        return (60, 60, 60) if tick else (235, 235, 225)
    shade = 120 + y * 3
    return (0, min(shade, 255) // 2, min(shade + 40, 255))


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    write_bmp(out / "page_profi.bmp", 56, 38, profi)


if __name__ == "__main__":
    main()
