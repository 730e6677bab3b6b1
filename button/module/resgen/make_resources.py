#!/usr/bin/env python3
"""Draws the control module's bitmaps and cursors.

    make_resources.py OUTDIR

writes toolbox.bmp (16x16), placeholder_normal.bmp, placeholder_over.bmp, placeholder_down.bmp,
placeholder_disable.bmp (33x28, 24-bit) and hand.cur, hand_pressed.cur (32x32 monochrome).
Everything is drawn here from simple shapes, so the pictures can be changed by editing this file.
"""
import os
import struct
import sys


def bmp24(width, height, pixel):
    """A bottom-up 24-bit BMP; pixel(x, y) gives (r, g, b) with y counted from the top."""
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        rows.append(bytes(row))
    data = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    return header + info + data


def bevel_panel(width, height, face, light, dark, sunken=False, hatch=False):
    """A panel with a one-pixel bevel and a small picture glyph (a sun over two hills)."""
    def pixel(x, y):
        top_left = x == 0 or y == 0
        bottom_right = x == width - 1 or y == height - 1
        if top_left or bottom_right:
            if top_left and not bottom_right:
                return dark if sunken else light
            return light if sunken else dark
        shift = 1 if sunken else 0
        gx, gy = x - shift, y - shift
        # The glyph: a frame 19x14 in the middle.
        fx0, fy0 = (width - 19) // 2, (height - 14) // 2
        fx, fy = gx - fx0, gy - fy0
        if 0 <= fx < 19 and 0 <= fy < 14:
            if fx in (0, 18) or fy in (0, 13):
                return dark
            if (fx - 13) ** 2 + (fy - 4) ** 2 <= 5:
                return (250, 200, 40)
            hill = max(9 - abs(fx - 6), 6 - abs(fx - 13) // 2)
            if fy >= 13 - hill // 2 - 1:
                return (40, 130, 60) if not hatch else (128, 128, 128)
            return (150, 200, 240) if not hatch else (200, 200, 200)
        if hatch and (x + y) % 4 == 0:
            return dark
        return face
    return bmp24(width, height, pixel)


def toolbox():
    """16x16: a raised button with a dark Z on it."""
    def pixel(x, y):
        if x == 15 or y == 15:
            return (64, 64, 64)
        if x == 0 or y == 0:
            return (255, 255, 255)
        if x == 14 or y == 14:
            return (128, 128, 128)
        if 3 <= x <= 12 and y in (3, 4, 11, 12):
            return (0, 0, 128)
        if 5 <= y <= 10 and x in (12 - (y - 3) * 9 // 8, 13 - (y - 3) * 9 // 8):
            return (0, 0, 128)
        return (192, 192, 192)
    return bmp24(16, 16, pixel)


# The palm and wrist both hands share; the pointing hand adds a raised index finger, the pressed
# hand the curled fingertips.
PALM = """
.XX.X..X..X..X.X
X..XX.........X.X
X...X...........X
.X..............X
..X.............X
..X............X.
...X...........X.
...X..........X..
....X.........X..
....X........X...
.....X.......X...
.....XXXXXXXXX...
"""

HAND = """
.....XX.........
....X..X........
....X..X........
....X..X........
....X..X........
....X..XXX......
....X..X..XXX...
....X..X..X..XX.
""" + PALM

HAND_PRESSED = """
................
................
................
................
................
.....XX.XXX.....
....X..X..XXX...
....X..X..X..XX.
""" + PALM


def cursor(art, hotspot):
    """A 32x32 monochrome .cur: 'X' black, inside white, outside transparent."""
    rows = [r for r in art.strip("\n").split("\n") if r]
    size = 32
    grid = [["." for _ in range(size)] for _ in range(size)]
    for y, row in enumerate(rows):
        for x, c in enumerate(row):
            grid[y][x] = c
    # Everything reachable from the corner without crossing the outline is outside.
    outside = [[False] * size for _ in range(size)]
    stack = [(size - 1, size - 1)]
    while stack:
        x, y = stack.pop()
        if not (0 <= x < size and 0 <= y < size) or outside[y][x] or grid[y][x] == "X":
            continue
        outside[y][x] = True
        stack += [(x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)]
    xor_rows, and_rows = [], []
    for y in range(size - 1, -1, -1):
        xor_bits = and_bits = 0
        for x in range(size):
            bit = 1 << (31 - x)
            if grid[y][x] == "X":
                pass                      # AND 0, XOR 0: black
            elif outside[y][x]:
                and_bits |= bit           # AND 1, XOR 0: screen shows through
            else:
                xor_bits |= bit           # AND 0, XOR 1: white
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    image = info + palette + b"".join(xor_rows) + b"".join(and_rows)
    header = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 2, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return header + entry + image


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    grey, white, shadow = (192, 192, 192), (255, 255, 255), (96, 96, 96)
    files = {
        "toolbox.bmp": toolbox(),
        "placeholder_normal.bmp": bevel_panel(33, 28, grey, white, shadow),
        "placeholder_over.bmp": bevel_panel(33, 28, (224, 224, 232), white, shadow),
        "placeholder_down.bmp": bevel_panel(33, 28, (168, 168, 176), white, shadow, sunken=True),
        "placeholder_disable.bmp": bevel_panel(33, 28, grey, white, (150, 150, 150), hatch=True),
        "hand.cur": cursor(HAND, (5, 0)),
        "hand_pressed.cur": cursor(HAND_PRESSED, (5, 5)),
    }
    for name, data in files.items():
        path = os.path.join(out, name)
        # Unchanged files keep their time stamps, so the resources are not rebuilt for nothing.
        if os.path.exists(path) and open(path, "rb").read() == data:
            continue
        with open(path, "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
