#!/usr/bin/env python3
"""Draws the uninstaller's pictures: Image1.bmp (140 x 111, 24 bits) and TRVUQV2.ico (16, 32, 48).

The motif: a compact disc lifting out of an open box, with a red removal badge. Everything is
computed here (supersampled shapes over gradients), so the art can be changed by editing this file.
Usage: make_art.py <output folder>
"""
import math
import os
import struct
import sys

SAMPLES = 4  # supersampling per axis


def lerp(a, b, t):
    return a + (b - a) * t


def mix(c1, c2, t):
    return tuple(lerp(x, y, t) for x, y in zip(c1, c2))


def over(dst, src, alpha):
    """Paints colour `src` with coverage `alpha` over `dst` (both RGB floats 0..255)."""
    return mix(dst, src, max(0.0, min(1.0, alpha)))


def hue(h):
    """A soft rainbow colour for the disc's sheen, h in 0..1."""
    r = 0.5 + 0.5 * math.cos(2 * math.pi * (h + 0.00))
    g = 0.5 + 0.5 * math.cos(2 * math.pi * (h + 0.33))
    b = 0.5 + 0.5 * math.cos(2 * math.pi * (h + 0.67))
    return (r * 255, g * 255, b * 255)


def disc_colour(dx, dy, radius, background):
    """Colour of a disc point at offset (dx, dy) from its centre, or None outside the disc."""
    d = math.hypot(dx, dy) / radius
    if d > 1.0:
        return None
    if d < 0.16:
        return background  # the hole
    if d < 0.34:
        return mix((205, 210, 220), (235, 238, 245), (d - 0.16) / 0.18)  # clear hub
    angle = (math.atan2(dy, dx) / (2 * math.pi)) % 1.0
    silver = mix((170, 178, 192), (242, 244, 250), 0.5 + 0.5 * math.cos(4 * math.pi * angle + 0.8))
    sheen = hue(angle * 2 + d * 0.35)
    colour = mix(silver, sheen, 0.30 + 0.15 * math.sin(6 * math.pi * d))
    if d > 0.95:
        colour = mix(colour, (120, 126, 140), 0.6)  # rim
    return colour


def in_polygon(x, y, points):
    inside = False
    j = len(points) - 1
    for i in range(len(points)):
        xi, yi = points[i]
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def scene(x, y, w, h, icon):
    """Colour of point (x, y) of a w x h picture; `icon` leaves out the background (transparent)."""
    s = min(w, h) / 111.0 if not icon else w / 48.0
    if icon:
        background = None
        colour = None
    else:
        t = y / h
        colour = mix((28, 70, 138), (10, 24, 60), t)
        # a soft diagonal light band
        band = math.exp(-((x - 1.4 * y - 10) / 38.0) ** 2)
        colour = mix(colour, (70, 130, 200), 0.35 * band)
        background = colour

    # the open box
    if icon:
        bx0, by0, bx1, by1, lid = 6 * s, 28 * s, 42 * s, 46 * s, 6 * s
    else:
        bx0, by0, bx1, by1, lid = 22 * s, 66 * s, 104 * s, 104 * s, 12 * s
    front = [(bx0, by0), (bx1, by0), (bx1, by1), (bx0, by1)]
    left_flap = [(bx0, by0), (bx0 - lid * 0.8, by0 - lid), (bx0 + lid * 1.4, by0 - lid), (bx0 + lid * 2.2, by0)]
    right_flap = [(bx1, by0), (bx1 + lid * 0.8, by0 - lid), (bx1 - lid * 1.4, by0 - lid), (bx1 - lid * 2.2, by0)]
    for flap in (left_flap, right_flap):
        if in_polygon(x, y, flap):
            colour = (150, 98, 52)

    # the disc, rising out of the box
    if icon:
        cx, cy, r = 24 * s, 20 * s, 17 * s
    else:
        cx, cy, r = 63 * s, 46 * s, 34 * s
    dc = disc_colour(x - cx, y - cy, r, colour if colour is not None else (0, 0, 0))
    if dc is not None and not (math.hypot(x - cx, y - cy) / r < 0.16):
        colour = dc
    elif dc is not None and colour is None:
        colour = None  # the hole of the icon stays transparent

    if in_polygon(x, y, front):
        shade = (y - by0) / max(1.0, by1 - by0)
        colour = mix((204, 146, 84), (160, 104, 52), shade)
        if abs(y - (by0 + (by1 - by0) * 0.45)) < 1.2 * s:
            colour = (226, 190, 120)  # tape

    # the red removal badge
    if icon:
        gx, gy, gr = 37 * s, 35 * s, 10 * s
    else:
        gx, gy, gr = 112 * s, 34 * s, 17 * s
    gd = math.hypot(x - gx, y - gy)
    if gd <= gr:
        colour = mix((236, 70, 60), (170, 20, 20), (y - (gy - gr)) / (2 * gr))
        if gd > gr - 1.6 * s:
            colour = (255, 255, 255)
        if abs(y - gy) < gr * 0.22 and abs(x - gx) < gr * 0.6:
            colour = (255, 255, 255)  # the minus sign

    if not icon:
        # a few sparkles
        for sx, sy, sr in ((18, 18, 3.0), (126, 78, 2.5), (34, 52, 2.0)):
            dx, dy = abs(x - sx * s), abs(y - sy * s)
            if (dx < 0.5 and dy < sr) or (dy < 0.5 and dx < sr):
                colour = mix(colour, (255, 255, 230), 0.9)
    return colour


def render(w, h, icon):
    """Rows top to bottom of (r, g, b, a) bytes."""
    rows = []
    for py in range(h):
        row = []
        for px in range(w):
            acc = [0.0, 0.0, 0.0]
            cover = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = scene(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES, w, h, icon)
                    if c is not None:
                        acc = [a + v for a, v in zip(acc, c)]
                        cover += 1
            n = SAMPLES * SAMPLES
            if cover:
                rgb = [int(round(v / cover)) for v in acc]
            else:
                rgb = [0, 0, 0]
            row.append((rgb[0], rgb[1], rgb[2], int(round(255 * cover / n))))
        rows.append(row)
    return rows


def bmp_24(rows):
    h = len(rows)
    w = len(rows[0])
    stride = (w * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        for r, g, b, _ in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        pixels += line
    header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0, 14 + len(header))
    return file_header + header + pixels


def icon_image(rows):
    """One icon image: 32-bit colour with alpha, then the 1-bit AND mask, both bottom-up."""
    h = len(rows)
    w = len(rows[0])
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            colour += bytes((b, g, r, a))
    mask_stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a < 128:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + colour + mask


def ico(sizes):
    images = [icon_image(render(n, n, True)) for n in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    return out


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_art.py <output folder>")
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "Image1.bmp"), "wb") as f:
        f.write(bmp_24(render(140, 111, False)))
    with open(os.path.join(folder, "TRVUQV2.ico"), "wb") as f:
        f.write(ico([16, 32, 48]))


if __name__ == "__main__":
    main()
