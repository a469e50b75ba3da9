#!/usr/bin/env python3
"""Checks the picture files the resource script takes: the bitmaps written by
the native tool carry the sizes the program expects in 8-bit RLE8 and decode
whole, the portrait is red, the icon holds every size the shell asks for in
32 bits with alpha, and both give the same bytes on every run. (That the RLE8
data decodes back to the drawn pixels is checked by the unit tests.)
Usage: test_picture_files.py PICTURE_BITMAPS (runs in a temporary folder)."""
import os
import struct
import subprocess
import sys
import tempfile
import unittest

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources"))
import make_icon  # noqa: E402

BITMAP_TOOL = sys.argv.pop(1) if len(sys.argv) > 1 else None
NAMES = ("portrait.bmp", "diagram_small.bmp", "diagram_large.bmp", "farspan.ico")


def make_pictures(folder):
    subprocess.run([BITMAP_TOOL, folder], check=True)
    sys.argv = ["make_icon.py", folder]
    make_icon.main()


def decode_rle8(data, width, height):
    """Rows top first, as the bitmap's reader sees them."""
    rows = [[0] * width for _ in range(height)]
    x, y, i = 0, 0, 0  # y counts from the bottom row
    while i < len(data):
        count, value = data[i], data[i + 1]
        i += 2
        if count:
            for _ in range(count):
                rows[height - 1 - y][x] = value
                x += 1
        elif value == 0:
            x, y = 0, y + 1
        elif value == 1:
            return rows
        elif value == 2:
            raise AssertionError("delta codes are not written")
        else:
            for k in range(value):
                rows[height - 1 - y][x] = data[i + k]
                x += 1
            i += value + (value & 1)
    raise AssertionError("no end-of-bitmap mark")


def read_bmp(path):
    with open(path, "rb") as f:
        blob = f.read()
    magic, size, _, _, offset = struct.unpack_from("<2sIHHI", blob, 0)
    header = struct.unpack_from("<IiiHHIIiiII", blob, 14)
    return blob, magic, size, offset, header


class Pictures(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        make_pictures(cls.folder.name)

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def test_bitmap_sizes_and_compression(self):
        for name, width, height in (("portrait.bmp", 217, 332), ("diagram_small.bmp", 160, 102),
                                    ("diagram_large.bmp", 220, 140)):
            blob, magic, size, offset, header = read_bmp(os.path.join(self.folder.name, name))
            self.assertEqual((magic, size, header[6]), (b"BM", len(blob), len(blob) - offset), name)
            self.assertEqual((header[1], header[2]), (width, height), name)
            self.assertEqual((header[4], header[5]), (8, 1), name)  # 8 bits per pixel, BI_RLE8
            rows = decode_rle8(blob[offset:], width, height)
            self.assertGreater(len({p for row in rows for p in row}), 2, name)

    def test_portrait_is_red(self):
        blob, _, _, offset, header = read_bmp(os.path.join(self.folder.name, "portrait.bmp"))
        palette = [struct.unpack_from("<BBBB", blob, 54 + 4 * k) for k in range(256)]
        rows = decode_rle8(blob[offset:], header[1], header[2])
        darkest = max((p for row in rows for p in row), key=lambda k: 255 * 3 - sum(palette[k][:3]))
        blue, green, red, _ = palette[darkest]
        self.assertGreater(red, 2 * green)
        self.assertGreater(red, 2 * blue)

    def test_icon(self):
        """Every size the shell asks for, 32 bits with alpha: transparent
        corners, an opaque middle and soft edges; 256 pixels as PNG."""
        with open(os.path.join(self.folder.name, "farspan.ico"), "rb") as f:
            blob = f.read()
        reserved, kind, count = struct.unpack_from("<HHH", blob, 0)
        self.assertEqual((reserved, kind, count), (0, 1, 8))
        sizes = []
        end = 6 + 16 * count
        for k in range(count):
            width, height, _, _, planes, bits, size, offset = struct.unpack_from("<BBBBHHII", blob, 6 + 16 * k)
            side = width or 256
            sizes.append(side)
            self.assertEqual((width, planes, bits), (height, 1, 32), side)
            self.assertEqual(offset, end, side)  # images follow each other, none overlaps
            end = offset + size
            image = blob[offset:offset + size]
            if side == 256:
                self.assertEqual(image[:8], b"\x89PNG\r\n\x1a\n")
                self.assertEqual(struct.unpack_from(">IIBB", image, 16), (256, 256, 8, 6))  # RGBA
                continue
            self.assertEqual(struct.unpack_from("<IiiHHI", image, 0), (40, side, 2 * side, 1, 32, 0))
            alpha = [image[40 + 4 * i + 3] for i in range(side * side)]  # bottom row first
            self.assertLess(max(alpha[0], alpha[-1]), 128, side)  # rounded corners
            self.assertEqual(alpha[side * side // 2 + side // 2], 255, side)
            self.assertTrue(any(0 < a < 255 for a in alpha), side)
            # The AND mask, for readers without alpha: set exactly where nothing is drawn.
            stride = ((side + 31) // 32) * 4
            mask = image[40 + 4 * side * side:]
            self.assertEqual(len(mask), stride * side, side)
            masked = [bool(mask[(i // side) * stride + (i % side) // 8] & (0x80 >> (i % side % 8))) for i in range(side * side)]
            self.assertEqual(masked, [a == 0 for a in alpha], side)
        self.assertEqual(sizes, [16, 20, 24, 32, 40, 48, 64, 256])
        self.assertEqual(end, len(blob))

    def test_same_output_on_every_run(self):
        with tempfile.TemporaryDirectory() as again:
            make_pictures(again)
            for name in NAMES:
                with open(os.path.join(self.folder.name, name), "rb") as a, open(os.path.join(again, name), "rb") as b:
                    self.assertEqual(a.read(), b.read(), name)


if __name__ == "__main__":
    unittest.main()
