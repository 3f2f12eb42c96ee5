#!/usr/bin/env python3
"""Writes a 32-bit BMP file (as the client's test hook writes its pictures) as a PNG file.

  bmp2png.py <in.bmp> <out.png>
The PNG is written only when its pixels differ from those of an existing out.png, so a
picture that did not change leaves the file (and its commit) alone.
"""
import struct
import sys
import zlib


def read_bmp(path):
    data = open(path, "rb").read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    if bits != 32:
        raise SystemExit("not a 32-bit BMP: %s" % path)
    rows = []
    for y in range(abs(height)):
        start = offset + 4 * width * y
        row = data[start:start + 4 * width]
        rows.append(b"".join(bytes((row[i + 2], row[i + 1], row[i])) for i in range(0, len(row), 4)))
    if height > 0:
        rows.reverse()
    return width, abs(height), rows


def png(width, height, rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    raw = b"".join(b"\x00" + r for r in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main(argv):
    width, height, rows = read_bmp(argv[1])
    out = png(width, height, rows)
    try:
        if open(argv[2], "rb").read() == out:
            return 0
    except OSError:
        pass
    with open(argv[2], "wb") as f:
        f.write(out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
