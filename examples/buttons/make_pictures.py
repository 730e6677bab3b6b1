#!/usr/bin/env python3
"""Draws the pictures of the example buttons (buttons.txt) into a folder (default: this one).

Every picture is computed here: supersampled rounded shapes over gradients, written as 24-bit BMP
files, and one GIF with a transparent background. Change the drawing here and run it again:
    python3 make_pictures.py [folder]
"""
import os
import struct
import sys

SAMPLES = 4  # supersampling per axis


def clamp(v, lo=0.0, hi=255.0):
    return max(lo, min(hi, v))


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def rounded_rect_cover(x, y, left, top, right, bottom, radius):
    """Coverage (0 or 1) of point (x, y) by a rounded rectangle."""
    if x < left or x > right or y < top or y > bottom:
        return 0.0
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return 1.0 if (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius else 0.0


def triangle_cover(x, y, pts):
    (x1, y1), (x2, y2), (x3, y3) = pts
    d1 = (x - x2) * (y1 - y2) - (x1 - x2) * (y - y2)
    d2 = (x - x3) * (y2 - y3) - (x2 - x3) * (y - y3)
    d3 = (x - x1) * (y3 - y1) - (x3 - x1) * (y - y1)
    neg = d1 < 0 or d2 < 0 or d3 < 0
    pos = d1 > 0 or d2 > 0 or d3 > 0
    return 0.0 if (neg and pos) else 1.0


def circle_cover(x, y, cx, cy, r):
    return 1.0 if (x - cx) ** 2 + (y - cy) ** 2 <= r * r else 0.0


def render(width, height, shade, samples=SAMPLES):
    """shade(x, y) -> (r, g, b, coverage-weighted) evaluated at sub-pixel centres and averaged."""
    rows = []
    for py in range(height):
        row = []
        for px in range(width):
            acc = [0.0, 0.0, 0.0]
            for sy in range(samples):
                for sx in range(samples):
                    c = shade(px + (sx + 0.5) / samples, py + (sy + 0.5) / samples)
                    for i in range(3):
                        acc[i] += c[i]
            n = samples * samples
            row.append(tuple(int(round(clamp(a / n))) for a in acc))
        rows.append(row)
    return rows


def pill(width, height, top_colour, bottom_colour, background, border, icon=None, icon_colour=(255, 255, 255),
         inset=0.0, glow=0.0):
    """A rounded button face with a vertical gradient, a 1.5-pixel border and an optional icon shape."""
    r = height / 2 - 2

    def shade(x, y):
        outer = rounded_rect_cover(x, y, 1, 1, width - 1, height - 1, r)
        if not outer:
            return background
        inner = rounded_rect_cover(x, y, 2.5, 2.5, width - 2.5, height - 2.5, r - 1.5)
        if not inner:
            return border
        t = (y - 2.5) / (height - 5)
        c = mix(top_colour, bottom_colour, t)
        if inset:  # pressed: a shadow along the top edge
            c = mix(c, (0, 0, 0), inset * max(0.0, 1 - (y - 2.5) / 6))
        if glow:  # hovered: a light sheen across the upper half
            c = mix(c, (255, 255, 255), glow * max(0.0, 1 - t * 2))
        if icon and icon(x, y):
            return icon_colour
        return c

    return render(width, height, shade)


def switch(width, height, on, background, hover=False):
    """A slide switch: a track with a knob at the left (off) or right (on)."""
    r = height / 2 - 2
    track_off = (150, 156, 168) if not hover else (170, 178, 192)
    track_on = (40, 170, 90)
    track = track_on if on else track_off
    kx = width - height / 2 if on else height / 2
    ky = height / 2

    def shade(x, y):
        if circle_cover(x, y, kx, ky, r - 2):
            d = ((x - kx + 3) ** 2 + (y - ky + 3) ** 2) ** 0.5 / r
            return mix((255, 255, 255), (205, 210, 220), clamp(d, 0, 1))
        if rounded_rect_cover(x, y, 1, 1, width - 1, height - 1, r):
            return mix(track, (0, 0, 0), 0.15 * (y / height))
        return background

    return render(width, height, shade)


def gem(size, key):
    """A faceted gem on the key colour (made transparent in the GIF): hard edges, so no pixel mixes
    the key colour into the gem's."""
    c = size / 2

    def shade(x, y):
        dx, dy = abs(x - c), abs(y - c)
        if dx + dy > c - 2:
            return key
        if x < c and y < c:
            return (250, 120, 170)
        if x >= c and y < c:
            return (220, 60, 120)
        if x < c:
            return (190, 40, 100)
        return (140, 20, 70)

    return render(size, size, shade, samples=1)


def write_bmp(path, rows):
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        data += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 3780, 3780, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def lzw_encode(indices, min_code_size):
    """GIF LZW: variable-width codes, packed least significant bit first."""
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    table = {(i,): i for i in range(clear)}
    next_code, width = end + 1, min_code_size + 1
    out, bits, nbits = bytearray(), 0, 0

    def emit(code):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += width
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    emit(clear)
    prefix = ()
    for i in indices:
        candidate = prefix + (i,)
        if candidate in table:
            prefix = candidate
            continue
        emit(table[prefix])
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            if next_code > (1 << width) and width < 12:
                width += 1
        else:
            emit(clear)
            table = {(k,): k for k in range(clear)}
            next_code, width = end + 1, min_code_size + 1
        prefix = (i,)
    if prefix:
        emit(table[prefix])
    emit(end)
    if nbits:
        out.append(bits & 0xFF)
    return bytes(out)


def write_gif(path, rows, transparent_colour):
    height, width = len(rows), len(rows[0])
    palette = [transparent_colour]
    indices = []
    for row in rows:
        for c in row:
            if c not in palette:
                palette.append(c)
            indices.append(palette.index(c))
    if len(palette) > 256:
        raise ValueError("too many colours for a GIF")
    bits = max(2, (len(palette) - 1).bit_length())
    palette += [(0, 0, 0)] * ((1 << bits) - len(palette))
    data = bytearray(b"GIF89a")
    data += struct.pack("<HHBBB", width, height, 0x80 | (bits - 1), 0, 0)
    for c in palette:
        data += bytes(c)
    data += bytes((0x21, 0xF9, 4, 0x01, 0, 0, 0, 0))  # graphic control: index 0 is transparent
    data += b"," + struct.pack("<HHHHB", 0, 0, width, height, 0)
    data.append(bits)
    encoded = lzw_encode(indices, bits)
    for i in range(0, len(encoded), 255):
        chunk = encoded[i:i + 255]
        data.append(len(chunk))
        data += chunk
    data += b"\0;"
    with open(path, "wb") as f:
        f.write(data)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(folder, exist_ok=True)
    back = (236, 238, 242)  # the example window's background
    border = (30, 50, 90)
    w, h = 132, 44

    def play_icon(x, y):
        return triangle_cover(x, y, ((20, 13), (20, 31), (35, 22)))

    pictures = {
        "play_normal.bmp": pill(w, h, (70, 140, 230), (25, 70, 160), back, border, play_icon),
        "play_over.bmp": pill(w, h, (90, 170, 250), (35, 95, 200), back, border, play_icon, glow=0.35),
        "play_down.bmp": pill(w, h, (25, 70, 160), (50, 110, 200), back, border, play_icon, inset=0.5),
        "plain_normal.bmp": pill(w, h, (80, 200, 120), (20, 120, 60), back, (20, 70, 40)),
        "plain_over.bmp": pill(w, h, (110, 225, 150), (30, 150, 80), back, (20, 70, 40), glow=0.3),
        "plain_down.bmp": pill(w, h, (20, 120, 60), (60, 170, 100), back, (20, 70, 40), inset=0.5),
        "plain_disable.bmp": pill(w, h, (200, 202, 206), (165, 168, 175), back, (140, 142, 148)),
        "switch_off.bmp": switch(72, 36, False, back),
        "switch_over.bmp": switch(72, 36, False, back, hover=True),
        "switch_on.bmp": switch(72, 36, True, back),
    }
    for name, rows in pictures.items():
        write_bmp(os.path.join(folder, name), rows)
    write_gif(os.path.join(folder, "gem.gif"), gem(48, (255, 0, 255)), (255, 0, 255))


if __name__ == "__main__":
    main()
