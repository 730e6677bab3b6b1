#!/usr/bin/env python3
"""Draws the catalogue panel's pictures and sounds.

    make_assets.py OUTDIR

Pictures (24-bit BMP, sizes as the main window lays them out): Fondo.bmp 532x426 (the background,
painted inside the window's outline), MMover.bmp 206x5 (the move handle), the 78x62 buttons
Eje_nor/Eje_over/Eje_pres, Copi_norm/Copi_over/Copi_pres, Share_norm/Share_over/Share_pres,
Ayuda_norm/Ayuda_over/Ayuda_pres, and the 21x21 buttons x_norm/x_over/x_pres and
Cerrar_norm/Cerrar_over/Cerrar_pres; for the copy window CopiarFondo.bmp 299x193 (inside its own
outline), the 78x62 Copi2_norm/Copi2_over/Copi2_pres and the 21x21 x2_norm/x2_over/x2_pres. Sounds (8-bit mono WAV): CLICK.WAV, HOSTPOT.WAV, CERRAR.WAV.
Everything is computed here from simple shapes and tones; change it here and build again.
"""
import math
import os
import re
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLES = 3  # supersampling per axis for the buttons' edges


def bmp24(width, height, rows_top_down):
    """A bottom-up 24-bit BMP from rows of (r, g, b) listed from the top."""
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows_top_down):
        line = bytearray()
        for r, g, b in row:
            line += bytes((int(b), int(g), int(r)))
        line += bytes(stride - len(line))
        data += line
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 3780, 3780, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    return header + info + bytes(data)


def clamp(v):
    return max(0, min(255, int(round(v))))


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


# ---- the background -----------------------------------------------------------------------------

def outline_points(source="MainOutline.cpp", table_start="kOutline[kMainOutlinePoints] = {", count=292):
    """A window's outline, read from its table in the program's source (one source for both)."""
    with open(os.path.join(HERE, "..", source), encoding="utf-8") as f:
        text = f.read()
    table = text[text.index(table_start):]
    table = table[:table.index("};")]
    points = [(int(x), int(y)) for x, y in re.findall(r"\{(\d+), (\d+)\}", table)]
    if len(points) != count:
        raise SystemExit("%s: expected %d outline points, found %d" % (source, count, len(points)))
    return points


def inside_spans(points, y):
    """Spans [x0, x1) of pixel row y whose centres lie inside the polygon (even-odd rule)."""
    yc = y + 0.5
    xs = []
    n = len(points)
    for i in range(n):
        (x0, y0), (x1, y1) = points[i], points[(i + 1) % n]
        if (y0 <= yc < y1) or (y1 <= yc < y0):
            xs.append(x0 + (yc - y0) * (x1 - x0) / (y1 - y0))
    xs.sort()
    return [(math.ceil(xs[i] - 0.5), math.ceil(xs[i + 1] - 0.5)) for i in range(0, len(xs) - 1, 2)]


def background():
    rows = shaped_background(532, 426, outline_points())
    # The frame around the description area (180,237 188x137), and the plate behind the lists.
    for (left, top_, width, height) in ((176, 233, 196, 145), (156, 16, 221, 218)):
        for x in range(left, left + width):
            rows[top_][x] = rows[top_ + height - 1][x] = (40, 70, 130)
        for y in range(top_, top_ + height):
            rows[y][left] = rows[y][left + width - 1] = (40, 70, 130)
    return bmp24(532, 426, rows)


def copy_background():
    """The copy window's picture, 299x193, over its own outline."""
    points = outline_points("CopyOutline.cpp", "kCopyTable[kCopyOutlinePoints] = {", 154)
    return bmp24(299, 193, shaped_background(299, 193, points))


def shaped_background(w, h, points):
    """Rows of a picture lit inside the outline `points`, dark outside, with a rim on the edge."""
    outside = (40, 40, 48)
    # Light tones: the link labels write black on it.
    top, bottom = (222, 232, 246), (168, 188, 220)
    rows = []
    for y in range(h):
        row = [outside] * w
        base = mix(top, bottom, y / (h - 1))
        for x0, x1 in inside_spans(points, y):
            for x in range(max(0, x0), min(w, x1)):
                # Soft light from the upper left, and faint diagonal stripes.
                d = math.hypot(x - 150, y - 90) / 520.0
                glow = max(0.0, 1.0 - d) * 30
                stripe = -6 if ((x + y) // 6) % 2 == 0 else 0
                row[x] = (clamp(base[0] + glow + stripe), clamp(base[1] + glow + stripe),
                          clamp(base[2] + glow * 0.5 + stripe))
        # A bright rim one pixel inside the edge.
        for x0, x1 in inside_spans(points, y):
            for x in (x0, x1 - 1):
                if 0 <= x < w:
                    row[x] = (40, 70, 130)
        rows.append(row)
    return rows


def move_handle():
    w, h = 206, 5
    rows = []
    for y in range(h):
        shade = (200, 215, 235) if y in (0, 3) else (90, 110, 140)
        rows.append([shade if x % 4 != 3 else (60, 70, 90) for x in range(w)])
    return bmp24(w, h, rows)


# ---- buttons ------------------------------------------------------------------------------------

def render(width, height, cover, colour):
    """A picture whose pixel is colour(x, y, coverage) with coverage of the shape by `cover`."""
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            hits = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    if cover(x + (sx + 0.5) / SAMPLES, y + (sy + 0.5) / SAMPLES):
                        hits += 1
            row.append(colour(x, y, hits / (SAMPLES * SAMPLES)))
        rows.append(row)
    return bmp24(width, height, rows)


def in_rounded(x, y, left, top, right, bottom, radius):
    if x < left or x > right or y < top or y > bottom:
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius


def in_triangle(x, y, a, b, c):
    def side(p, q):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])
    s1, s2, s3 = side(a, b), side(b, c), side(c, a)
    return (s1 >= 0 and s2 >= 0 and s3 >= 0) or (s1 <= 0 and s2 <= 0 and s3 <= 0)


def in_box(x, y, left, top, right, bottom):
    return left <= x <= right and top <= y <= bottom


def in_ring(x, y, cx, cy, r_out, r_in):
    d = (x - cx) ** 2 + (y - cy) ** 2
    return r_in * r_in <= d <= r_out * r_out


GLYPHS = {
    # Run: a play triangle.
    "run": lambda x, y: in_triangle(x, y, (30, 17), (30, 45), (52, 31)),
    # Copy: two sheets, one over the other.
    "copy": lambda x, y: (in_box(x, y, 26, 14, 44, 38) and not in_box(x, y, 28, 16, 42, 36))
    or in_box(x, y, 33, 22, 51, 47),
    # Shareware information: an "i" in a ring.
    "share": lambda x, y: in_ring(x, y, 39, 31, 15, 12) or in_box(x, y, 37, 28, 41, 40)
    or (x - 39) ** 2 + (y - 23) ** 2 <= 4.5,
    # Help: an open book.
    "help": lambda x, y: (in_box(x, y, 24, 19, 38, 43) or in_box(x, y, 40, 19, 54, 43))
    and not (in_box(x, y, 27, 24, 35, 25) or in_box(x, y, 27, 29, 35, 30) or in_box(x, y, 43, 24, 51, 25)
             or in_box(x, y, 43, 29, 51, 30)),
}

STATE_TINT = {"normal": (0.0, 0), "over": (0.35, 0), "pressed": (-0.25, 1)}


def big_button(glyph, face, state):
    lighten, shift = STATE_TINT[state]
    w, h = 78, 62
    bg = (196, 210, 234)
    shape = GLYPHS[glyph]

    def cover(x, y):
        return in_rounded(x - shift, y - shift, 3, 3, 74, 58, 14)

    def colour(x, y, c):
        t = y / h
        body = mix(mix(face, (255, 255, 255), 0.3), mix(face, (0, 0, 0), 0.35), t)
        if lighten > 0:
            body = mix(body, (255, 255, 255), lighten)
        elif lighten < 0:
            body = mix(body, (0, 0, 0), -lighten)
        if shape(x - shift + 0.5, y - shift + 0.5):
            body = (250, 250, 240) if state != "pressed" else (225, 225, 210)
        return tuple(clamp(v) for v in mix(bg, body, c))
    return render(w, h, cover, colour)


def small_button(round_shape, state):
    lighten, shift = STATE_TINT[state]
    w = h = 21
    bg = (196, 210, 234)
    face = (170, 40, 40) if round_shape else (60, 90, 150)

    def cover(x, y):
        x, y = x - shift, y - shift
        if round_shape:
            return (x - 10) ** 2 + (y - 10) ** 2 <= 9.5 ** 2
        return in_rounded(x, y, 1, 1, 19, 19, 3)

    def colour(x, y, c):
        body = face
        if lighten > 0:
            body = mix(body, (255, 255, 255), lighten)
        elif lighten < 0:
            body = mix(body, (0, 0, 0), -lighten)
        u, v = x - shift + 0.5, y - shift + 0.5
        if 5.5 <= u <= 15.5 and 5.5 <= v <= 15.5 and (abs(u - v) < 1.3 or abs(u + v - 21) < 1.3):
            body = (255, 255, 255)
        return tuple(clamp(t) for t in mix(bg, body, c))
    return render(w, h, cover, colour)


# ---- sounds -------------------------------------------------------------------------------------

def wav(seconds, tone):
    rate = 22050
    n = int(rate * seconds)
    data = bytes(clamp(128 + 100 * tone(i / rate, i / n)) for i in range(n))
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate, 1, 8)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


def main():
    if len(sys.argv) != 2:
        raise SystemExit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    files = {
        "Fondo.bmp": background(),
        "MMover.bmp": move_handle(),
        "CopiarFondo.bmp": copy_background(),
        "CLICK.WAV": wav(0.04, lambda t, p: math.sin(2 * math.pi * 1500 * t) * (1 - p) ** 2),
        "HOSTPOT.WAV": wav(0.06, lambda t, p: math.sin(2 * math.pi * 900 * t) * math.sin(math.pi * p) * 0.6),
        "CERRAR.WAV": wav(0.12, lambda t, p: math.sin(2 * math.pi * (1000 - 500 * p) * t) * (1 - p)),
    }
    for prefix, normal, glyph, face in (("Eje", "Eje_nor", "run", (40, 150, 70)),
                                        ("Copi", "Copi_norm", "copy", (40, 110, 180)),
                                        ("Copi2", "Copi2_norm", "copy", (30, 140, 150)),
                                        ("Share", "Share_norm", "share", (190, 130, 30)),
                                        ("Ayuda", "Ayuda_norm", "help", (130, 70, 170))):
        files[normal + ".bmp"] = big_button(glyph, face, "normal")
        files[prefix + "_over.bmp"] = big_button(glyph, face, "over")
        files[prefix + "_pres.bmp"] = big_button(glyph, face, "pressed")
    for prefix, round_shape in (("x", True), ("x2", True), ("Cerrar", False)):
        files[prefix + "_norm.bmp"] = small_button(round_shape, "normal")
        files[prefix + "_over.bmp"] = small_button(round_shape, "over")
        files[prefix + "_pres.bmp"] = small_button(round_shape, "pressed")
    for name, data in files.items():
        path = os.path.join(out, name)
        tmp = path + ".tmp"
        with open(tmp, "wb") as f:
            f.write(data)
        os.replace(tmp, path)


if __name__ == "__main__":
    main()
