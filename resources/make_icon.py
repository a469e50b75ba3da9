#!/usr/bin/env python3
"""Draws the program's icon (101) at 16, 20, 24, 32, 40, 48, 64 and 256
pixels, 32 bits with alpha (the largest as PNG). The bitmaps are drawn by the
program's own C++ drawing (tools/picture_bitmaps). Everything is computed from
code, so the output is the same on every run.
Usage: make_icon.py OUTPUT_DIR
"""
import math
import os
import struct
import sys
import zlib


# ---------------------------------------------------------------- file format

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
    write_icon(os.path.join(out, "farspan.ico"), [draw_icon(size) for size in ICON_SIZES])


if __name__ == "__main__":
    main()
