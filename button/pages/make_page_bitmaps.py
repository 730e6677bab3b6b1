#!/usr/bin/env python3
"""Draws the pages' bitmap resources into the given folder: page_profi.bmp, the 56 x 38 picture of
the Profi page's "Smart tuning" group (a tuning dial over a blue gradient); the Colors page's three
20 x 19 button pictures (page_color_set/select/lock.bmp); page_effects_sample.bmp, the 68 x 78 sample
picture the Effects page previews; the Images page's 20 x 19 row buttons (page_images_row.bmp marks
the previewed row, page_images_other.bmp stands on the others)."""
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


FACE = (192, 192, 192)


def color_set(x, y):
    # An arrow pointing right, into the colour list.
    if 3 <= x <= 11 and 7 <= y <= 11:
        return (0, 0, 0)
    if 11 <= x <= 16 and abs(y - 9) <= 16 - x:
        return (0, 0, 0)
    return FACE


def color_select(x, y):
    # An arrow pointing left, into the picker.
    if 8 <= x <= 16 and 7 <= y <= 11:
        return (0, 0, 0)
    if 3 <= x <= 8 and abs(y - 9) <= x - 3:
        return (0, 0, 0)
    return FACE


def color_lock(x, y):
    # A padlock: a shackle over a body.
    if 5 <= x <= 14 and 9 <= y <= 16:
        return (200, 160, 0)
    ring = math.hypot(x - 9.5, y - 8)
    if 3 <= ring <= 4.5 and y <= 9:
        return (60, 60, 60)
    return FACE


def effects_sample(x, y):
    # A shaded ball over a diagonal gradient, with a dark stripe: enough structure for every filter.
    d = math.hypot(x - 34, y - 36)
    if d <= 24:
        light = max(0.0, 1.0 - math.hypot(x - 26, y - 28) / 34)
        return (int(60 + 190 * light), int(20 + 120 * light), int(30 + 60 * light))
    if 62 <= y <= 68:
        return (20, 20, 40)
    return (min(255, x * 3), min(255, 100 + y), 200 - min(200, x + y))


def images_row(x, y):
    # A filled triangle pointing right, at the preview.
    if 6 <= x <= 13 and abs(y - 9) <= (13 - x) * 0.8 + 0.5:
        return (200, 0, 0)
    return FACE


def images_other(x, y):
    # A hollow dot: a row that can be previewed.
    d = math.hypot(x - 9.5, y - 9)
    return (90, 90, 90) if 2.5 <= d <= 3.8 else FACE


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    write_bmp(out / "page_profi.bmp", 56, 38, profi)
    write_bmp(out / "page_color_set.bmp", 20, 19, color_set)
    write_bmp(out / "page_color_select.bmp", 20, 19, color_select)
    write_bmp(out / "page_color_lock.bmp", 20, 19, color_lock)
    write_bmp(out / "page_effects_sample.bmp", 68, 78, effects_sample)
    write_bmp(out / "page_images_row.bmp", 20, 19, images_row)
    write_bmp(out / "page_images_other.bmp", 20, 19, images_other)


if __name__ == "__main__":
    main()
