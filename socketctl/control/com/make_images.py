#!/usr/bin/env python3
"""Draws the control's pictures (deterministically) into the files the resource script names:

Wirelatch.bmp   28 x 28, the design-time picture (bitmap 201)
Toolbox.bmp     16 x 15, the toolbox picture (bitmap 202)
Wirelatch.ico   32 x 32, the About box icon

Run from this folder: python3 make_images.py
"""
import struct

BACK = (192, 192, 192)
DARK = (0, 0, 128)
LIGHT = (0, 160, 224)
EDGE = (64, 64, 64)


def picture(w, h):
    """Two linked rings (a latch on a wire) over a plain background, as rows of RGB."""
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            c = BACK
            if x in (0, w - 1) or y in (0, h - 1):
                c = EDGE
            else:
                cy = (h - 1) / 2
                for cx, colour in ((w * 0.36, DARK), (w * 0.64, LIGHT)):
                    r2 = (x - cx) ** 2 + (y - cy) ** 2
                    outer = (min(w, h) * 0.30) ** 2
                    inner = (min(w, h) * 0.17) ** 2
                    if inner <= r2 <= outer:
                        c = colour
                if abs(y - cy) < 1 and (x < w * 0.12 or x > w * 0.88):
                    c = DARK
            row.append(c)
        rows.append(row)
    return rows


def dib(rows, height_factor=1):
    """A 24-bit bottom-up DIB: header and pixels."""
    h = len(rows)
    w = len(rows[0])
    stride = (w * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        pixels += line
    header = struct.pack("<IiiHHIIiiII", 40, w, h * height_factor, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header, bytes(pixels)


def write_bmp(path, rows):
    header, pixels = dib(rows)
    offset = 14 + len(header)
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset))
        f.write(header)
        f.write(pixels)


def write_ico(path, rows):
    header, pixels = dib(rows, height_factor=2)
    w = len(rows[0])
    h = len(rows)
    mask_stride = ((w + 31) // 32) * 4
    mask = bytes(mask_stride * h)  # every pixel opaque
    image = header + pixels + mask
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, 1))
        f.write(struct.pack("<BBBBHHII", w, h, 0, 0, 1, 24, len(image), 6 + 16))
        f.write(image)


if __name__ == "__main__":
    write_bmp("Wirelatch.bmp", picture(28, 28))
    write_bmp("Toolbox.bmp", picture(16, 15))
    write_ico("Wirelatch.ico", picture(32, 32))
