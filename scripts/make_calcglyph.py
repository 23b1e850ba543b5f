#!/usr/bin/env python3
"""Writes resources/calcglyph.bmp, the numeric field's button glyph: a 28 x 12
16-colour bitmap holding two 14 x 12 images side by side, a small calculator
and its embossed twin for the disabled button. Magenta is the transparent
colour (the bottom-left pixel says so)."""
import struct
import sys
from pathlib import Path

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
NAVY, TEAL, GRAY, MAGENTA, WHITE = 4, 6, 8, 13, 15

# One character per pixel, top row first: B body, S shadow, D display, K key.
CALCULATOR = [
    "..BBBBBBBBB...",
    "..BBBBBBBBBS..",
    "..BDDDDDDDBS..",
    "..BDDDDDDDBS..",
    "..BBBBBBBBBS..",
    "..BBBBBBBBBS..",
    "..BKBKBKBKBS..",
    "..BBBBBBBBBS..",
    "..BKBKBKBKBS..",
    "..BBBBBBBBBS..",
    "..BBBBBBBBBS..",
    "...SSSSSSSSS..",
]
WIDTH, HEIGHT = 14, 12
NORMAL_COLOURS = {"B": TEAL, "S": NAVY, "D": WHITE, "K": WHITE}


def normal_image():
    return [[NORMAL_COLOURS.get(ch, MAGENTA) for ch in row] for row in CALCULATOR]


def disabled_image():
    # Embossed: the silhouette in white one pixel right and down, then the dark
    # parts in grey at their place; the light parts stay white.
    img = [[MAGENTA] * WIDTH for _ in range(HEIGHT)]
    for y, row in enumerate(CALCULATOR):
        for x, ch in enumerate(row):
            if ch != "." and x + 1 < WIDTH and y + 1 < HEIGHT:
                img[y + 1][x + 1] = WHITE
    for y, row in enumerate(CALCULATOR):
        for x, ch in enumerate(row):
            if ch in "BS":
                img[y][x] = GRAY
    return img


def bmp_bytes(rows):
    height, width = len(rows), len(rows[0])
    stride = ((width * 4 + 31) // 32) * 4
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        for x in range(0, width, 2):
            hi = row[x]
            lo = row[x + 1] if x + 1 < width else 0
            line.append((hi << 4) | lo)
        line.extend(b"\0" * (stride - len(line)))
        pixels.extend(line)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels),
                       3780, 3780, 16, 0)
    return header + info + palette + bytes(pixels)


def main():
    left, right = normal_image(), disabled_image()
    rows = [l + r for l, r in zip(left, right)]
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else \
        Path(__file__).resolve().parent.parent / "resources" / "calcglyph.bmp"
    out.write_bytes(bmp_bytes(rows))


if __name__ == "__main__":
    main()
