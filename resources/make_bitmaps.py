#!/usr/bin/env python3
"""Draws the program's pictures: the red engraved portrait (102), the triangle
diagram in two sizes (103, 104) as 8-bit RLE8 bitmaps, and the icon (101) at
16, 20, 24, 32, 40, 48, 64 and 256 pixels, 32 bits with alpha (the largest as
PNG). Everything is computed from code, so the output is the same on every run.
Usage: make_bitmaps.py OUTPUT_DIR
"""
import math
import os
import struct
import sys
import zlib


# ---------------------------------------------------------------- file formats

def rle8_row(row):
    """RLE8 codes of one row (without the end-of-line mark)."""
    out = bytearray()
    i, n = 0, len(row)
    while i < n:
        run = 1
        while i + run < n and run < 255 and row[i + run] == row[i]:
            run += 1
        if run >= 2:
            out += bytes((run, row[i]))
            i += run
            continue
        # Gather pixels that do not start a run of two.
        j = i
        while j < n and j - i < 255 and not (j + 1 < n and row[j + 1] == row[j]):
            j += 1
        literal = row[i:j]
        if len(literal) >= 3:
            out += bytes((0, len(literal))) + bytes(literal)
            if len(literal) % 2:
                out.append(0)
        else:
            for p in literal:
                out += bytes((1, p))
        i = j
    return out


def write_rle8_bmp(path, pixels, palette):
    """pixels: list of rows (top first) of palette indices; palette: list of (r, g, b)."""
    height = len(pixels)
    width = len(pixels[0])
    data = bytearray()
    for row in reversed(pixels):  # bottom-up
        data += rle8_row(row)
        data += b"\x00\x00"
    data[-2:] = b"\x00\x01"  # the last end-of-line becomes end-of-bitmap
    colours = bytearray()
    for r, g, b in palette:
        colours += bytes((b, g, r, 0))
    colours += bytes(4 * (256 - len(palette)))
    header_size = 14 + 40 + len(colours)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 1, len(data), 2835, 2835, 256, 0)
    head = struct.pack("<2sIHHI", b"BM", header_size + len(data), 0, 0, header_size)
    with open(path, "wb") as f:
        f.write(head + info + colours + data)


ICON_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)


def icon_dib(rgba_rows):
    """One icon image as a bottom-up 32-bit DIB with its AND mask (set where
    fully transparent, for readers that ignore alpha)."""
    size = len(rgba_rows)
    colours = bytearray()
    mask = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for row in reversed(rgba_rows):
        bits = bytearray(mask_stride)
        for x, (r, g, b, a) in enumerate(row):
            colours += bytes((b, g, r, a))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colours) + len(mask), 0, 0, 0, 0)
    return info + bytes(colours) + bytes(mask)


def icon_png(rgba_rows):
    """One icon image as a PNG (RGBA, 8 bits a channel), fixed compression."""
    size = len(rgba_rows)
    raw = b"".join(b"\0" + bytes(c for pixel in row for c in pixel) for row in rgba_rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def write_icon(path, images):
    """An .ico of several images of 32 bits; 256 pixels and up as PNG."""
    blobs = [icon_png(rows) if len(rows) >= 256 else icon_dib(rows) for rows in images]
    offset = 6 + 16 * len(images)
    entries = b""
    for rows, blob in zip(images, blobs):
        side = len(rows) % 256  # 0 stands for 256
        entries += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)) + entries + b"".join(blobs))


def blend(a, b, t):
    return tuple(int(round(a[k] + (b[k] - a[k]) * t)) for k in range(3))


# --------------------------------------------------------------- the portrait

PAPER = (252, 243, 228)
INK = (140, 8, 16)
LEVELS = 16


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def ellipse(x, y, cx, cy, rx, ry):
    """Normalised coordinates and whether (x, y) lies inside."""
    u = (x - cx) / rx
    v = (y - cy) / ry
    return u, v, u * u + v * v <= 1.0


def shade(u, v, light=(-0.55, -0.6, 0.58)):
    """Darkness of a sphere-like surface at normalised (u, v), lit from the upper left."""
    r2 = u * u + v * v
    nz = math.sqrt(max(0.0, 1.0 - r2))
    lx, ly, lz = light
    norm = math.sqrt(lx * lx + ly * ly + lz * lz)
    brightness = (u * lx + v * ly + nz * lz) / norm
    return clamp(1.0 - clamp(brightness))


def nose_ridge(y, cx):
    return cx + 2 + (y - 110) * 0.16


def face_feature(x, y, cx):
    """Eyes, brows, nose and mouth: dark strokes over the face, or None."""
    for side, ex in ((-1, cx - 15), (1, cx + 15)):
        eu, ev, in_eye = ellipse(x, y, ex, 114, 8, 3.2)
        if in_eye:
            pupil = (x - ex - 1) ** 2 + (y - 114) ** 2 <= 4.5
            return (0.95 if pupil else 0.35), None
        if abs(eu) <= 1.0 and abs(ev) <= 1.6 and y < 114:
            return 0.55, None  # upper lid
        # Eyebrow: an arc above the eye, thicker towards the nose.
        bx = (x - ex) / 11.0
        arc = 104 + 3.0 * bx * bx
        if abs(bx) <= 1.0 and abs(y - arc) < 1.6 - 0.5 * side * bx:
            return 0.9, None
    # Nose: a ridge line and its shadow on the right, nostrils below.
    ridge = nose_ridge(y, cx)
    if 110 < y < 138 and abs(x - ridge) < 1.0:
        return 0.75, None
    if 134 <= y <= 140 and (abs(x - (cx - 5)) < 2.5 or abs(x - (cx + 8)) < 2.5) and y > 136:
        return 0.8, None
    # Moustache and mouth.
    mu, mv, in_moustache = ellipse(x, y, cx + 1, 145, 20, 5)
    if in_moustache:
        return clamp(0.6 + 0.3 * abs(mu)), ("wave", 2.5)
    if 150 <= y <= 152 and abs(x - cx - 1) < 9:
        return 0.9, None
    return None


def portrait_point(x, y, w, h):
    """Darkness (0..1) and the phase of the engraving line through (x, y)."""
    # Frame: a solid outer rule and a thin inner rule.
    edge = min(x, y, w - 1 - x, h - 1 - y)
    if edge < 3:
        return 1.0, None
    if edge in (6,):
        return 0.9, None
    if edge < 9:
        return 0.0, None

    cx = w / 2.0
    # Head, hair and beard.
    hu, hv, in_head = ellipse(x, y, cx, 120, 38, 50)
    au, av, in_hair = ellipse(x, y, cx, 112, 47, 58)
    bu, bv, in_beard = ellipse(x, y, cx, 168, 40, 50)
    # Robe over the shoulders.
    ru, rv, in_robe = ellipse(x, y, cx, h + 30, 100, 128)
    # Neck between head and robe.
    in_neck = abs(x - cx) < 18 and 150 < y < 236

    feature = face_feature(x, y, cx)
    if feature:
        return feature
    ridge = nose_ridge(y, cx)

    top_of_head = in_head and hv < -0.55
    if in_head and not top_of_head:
        darkness = 0.06 + 0.55 * shade(hu, hv)
        if x > ridge and 110 < y < 138 and x < ridge + 6:
            darkness += 0.25  # shadow beside the nose
        if in_beard and y > 140:
            return clamp(0.45 + 0.35 * shade(bu, bv)), ("wave", 3.0)
        return clamp(darkness), ("head", 3.0)
    if in_beard and y > 138:
        return clamp(0.45 + 0.35 * shade(bu, bv)), ("wave", 3.0)
    if in_hair and y < 160:
        return clamp(0.45 + 0.4 * shade(au, av)), ("curl", 3.0)
    if in_neck and not in_robe:
        return clamp(0.35 + 0.4 * abs(x - cx) / 18.0), ("head", 3.0)
    if in_robe:
        fold = 0.5 + 0.5 * math.sin(x / 9.0 + y / 40.0)
        return clamp(0.3 + 0.45 * shade(ru, rv * 0.5) * 0.6 + 0.3 * fold), ("robe", 4.0)
    # Background: darker towards the lower right, behind the figure.
    return clamp(0.18 + 0.25 * (x / w) + 0.1 * (y / h)), ("back", 3.0)


def line_phase(kind, x, y, w, h):
    cx = w / 2.0
    if kind == "head":
        u = (x - cx) / 38.0
        return y + 6.0 * u * u
    if kind == "wave":
        return x + 2.5 * math.sin(y / 5.0)
    if kind == "curl":
        return math.hypot(x - cx, y - 100) + 1.5 * math.sin(math.atan2(y - 100, x - cx) * 18.0)
    if kind == "robe":
        return (x + y) * 0.7071 + 2.0 * math.sin(x / 14.0)
    return y


def draw_portrait(w, h):
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            darkness, line = portrait_point(x, y, w, h)
            if line is None:
                ink = darkness
            else:
                kind, period = line
                phase = line_phase(kind, x, y, w, h) / period
                distance = abs(phase - math.floor(phase) - 0.5) * period  # 0 at the line's centre
                half_width = darkness * period / 2.0
                ink = clamp(half_width - distance + 0.5)
            row.append(int(round(ink * (LEVELS - 1))))
        rows.append(row)
    palette = [blend(PAPER, INK, k / (LEVELS - 1)) for k in range(LEVELS)]
    return rows, palette


# ---------------------------------------------------------------- the diagram

# A small pixel font: 4 columns, 9 rows (capitals rows 0-6, descenders 7-8).
GLYPHS = {
    "A": [".##.", "#..#", "#..#", "####", "#..#", "#..#", "#..#"],
    "B": ["###.", "#..#", "#..#", "###.", "#..#", "#..#", "###."],
    "E": ["####", "#...", "#...", "###.", "#...", "#...", "####"],
    "a": ["....", "....", ".##.", "...#", ".###", "#..#", ".###"],
    "b": ["#...", "#...", "###.", "#..#", "#..#", "#..#", "###."],
    "c": ["....", "....", ".###", "#...", "#...", "#...", ".###"],
    "d": ["...#", "...#", ".###", "#..#", "#..#", "#..#", ".###"],
    "e": ["....", "....", ".##.", "#..#", "####", "#...", ".###"],
    "f": ["..##", ".#..", "###.", ".#..", ".#..", ".#..", ".#.."],
    "g": ["....", "....", ".###", "#..#", "#..#", "#..#", ".###", "...#", "###."],
    "h": ["#...", "#...", "###.", "#..#", "#..#", "#..#", "#..#"],
    "i": [".#..", "....", "##..", ".#..", ".#..", ".#..", "###."],
    "j": ["..#.", "....", ".##.", "..#.", "..#.", "..#.", "..#.", "..#.", "##.."],
    "n": ["....", "....", "###.", "#..#", "#..#", "#..#", "#..#"],
    "o": ["....", "....", ".##.", "#..#", "#..#", "#..#", ".##."],
    "r": ["....", "....", "#.##", "##..", "#...", "#...", "#..."],
    "s": ["....", "....", ".###", "#...", ".##.", "...#", "###."],
    "t": [".#..", ".#..", "###.", ".#..", ".#..", ".#..", "..##"],
    "u": ["....", "....", "#..#", "#..#", "#..#", "#..#", ".###"],
    "v": ["....", "....", "#..#", "#..#", "#..#", ".##.", ".##."],
    "=": ["....", "....", "....", "####", "....", "####", "...."],
    ",": ["....", "....", "....", "....", "....", ".#..", ".#..", "#..."],
    "'": [".#..", ".#..", "#...", "....", "....", "....", "...."],
    " ": [],
}
ADVANCE = 5
LINE_HEIGHT = 10

LEGEND = [
    "A = object, B = observer",
    "c = distance to object",
    "b = height of object",
    "a = distance on Earth's surface",
]

WHITE, BLACK, BLUE, RED, GREY, PALE = range(6)
DIAGRAM_PALETTE = [(255, 255, 255), (0, 0, 0), (20, 60, 200), (200, 20, 20), (150, 150, 150), (235, 240, 250)]


def put_text(canvas, x, y, text, colour):
    for ch in text:
        for dy, line in enumerate(GLYPHS[ch]):
            for dx, bit in enumerate(line):
                if bit == "#" and 0 <= y + dy < len(canvas) and 0 <= x + dx < len(canvas[0]):
                    canvas[y + dy][x + dx] = colour
        x += ADVANCE


def put_line(canvas, x0, y0, x1, y1, colour, thickness=1):
    steps = max(abs(x1 - x0), abs(y1 - y0), 1)
    for s in range(steps + 1):
        x = x0 + (x1 - x0) * s / steps
        y = y0 + (y1 - y0) * s / steps
        for oy in range(thickness):
            for ox in range(thickness):
                px, py = int(round(x)) + ox, int(round(y)) + oy
                if 0 <= py < len(canvas) and 0 <= px < len(canvas[0]):
                    canvas[py][px] = colour


def draw_diagram(w, h):
    canvas = [[WHITE] * w for _ in range(h)]
    legend_top = h - len(LEGEND) * LINE_HEIGHT - 1
    thick = 2 if w > 180 else 1
    # Triangle: B lower left, A upper right, right angle C lower right.
    bx, by = 14, legend_top - 10
    cx, cy = w - 22, by
    ax, ay = cx, 6
    # Earth's surface under the base.
    for x in range(w):
        for y in range(by + 2 + thick, min(by + 5 + thick, h)):
            canvas[y][x] = PALE
    put_line(canvas, bx, by, cx, cy, BLACK, thick)          # a
    put_line(canvas, cx, cy, ax, ay, BLUE, thick)           # b
    put_line(canvas, bx, by, ax, ay, RED, thick)            # c
    mark = 6 if thick > 1 else 5                            # right-angle mark at C
    put_line(canvas, cx - mark, cy, cx - mark, cy - mark, GREY)
    put_line(canvas, cx - mark, cy - mark, cx, cy - mark, GREY)
    put_text(canvas, bx - 10, by - 4, "B", BLACK)
    put_text(canvas, ax + 4 + thick, ay, "A", BLACK)
    put_text(canvas, (bx + cx) // 2 + 8, by - 9 - thick, "a", BLACK)
    put_text(canvas, cx + 4 + thick, (cy + ay) // 2, "b", BLUE)
    put_text(canvas, (bx + ax) // 2 - 6, (by + ay) // 2 - 10, "c", RED)
    for k, line in enumerate(LEGEND):
        put_text(canvas, 3, legend_top + k * LINE_HEIGHT, line, BLACK)
    return canvas, DIAGRAM_PALETTE


# ------------------------------------------------------------------- the icon

# Drawn on a 48-unit square and sampled at each size: a tower on the ground,
# seen by an observer along a red sight line, on a sky tile with rounded corners.
SKY = (230, 240, 255)
GROUND = (120, 170, 90)
TOWER = (90, 90, 110)
SIGHT = (200, 20, 20)
OBSERVER = (20, 40, 160)
FRAME = (60, 60, 60)


def icon_point(u, v):
    """Colour at (u, v) of the 48-unit drawing, or None outside the tile."""
    corner = 6.0
    cu = min(max(u, corner), 48 - corner)
    cv = min(max(v, corner), 48 - corner)
    edge = corner - math.hypot(u - cu, v - cv)  # distance inside the tile's edge
    if edge < 0:
        return None
    if edge < 1.5:
        return FRAME
    if (u - 7) ** 2 + (v - 38) ** 2 <= 3.2 ** 2:
        return OBSERVER
    # The sight line from the observer's eye to the tower's top.
    du, dv = 37.0 - 7.0, 10.0 - 38.0
    t = ((u - 7) * du + (v - 38) * dv) / (du * du + dv * dv)
    if 0 <= t <= 1 and abs((u - 7) * dv - (v - 38) * du) / math.hypot(du, dv) < 1.2:
        return SIGHT
    if 33 <= u <= 40 and 10 <= v <= 39:
        return TOWER
    return GROUND if v > 39 else SKY


def draw_icon(size=48):
    """Rows of (r, g, b, a): each pixel the mean of a grid of samples, its
    alpha the share of samples on the tile."""
    grid = 2 if size >= 128 else 4
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            r = g = b = hits = 0
            for sy in range(grid):
                for sx in range(grid):
                    colour = icon_point((x + (sx + 0.5) / grid) * 48.0 / size, (y + (sy + 0.5) / grid) * 48.0 / size)
                    if colour is not None:
                        r, g, b, hits = r + colour[0], g + colour[1], b + colour[2], hits + 1
            if hits:
                row.append((round(r / hits), round(g / hits), round(b / hits), round(255 * hits / (grid * grid))))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    os.makedirs(out, exist_ok=True)
    rows, palette = draw_portrait(217, 332)
    write_rle8_bmp(os.path.join(out, "portrait.bmp"), rows, palette)
    for name, (w, h) in (("diagram_small.bmp", (160, 102)), ("diagram_large.bmp", (220, 140))):
        canvas, palette = draw_diagram(w, h)
        write_rle8_bmp(os.path.join(out, name), canvas, palette)
    write_icon(os.path.join(out, "farspan.ico"), [draw_icon(size) for size in ICON_SIZES])


if __name__ == "__main__":
    main()
