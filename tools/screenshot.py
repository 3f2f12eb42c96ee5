#!/usr/bin/env python3
"""Captures the X display ($DISPLAY) as a person sees it, with ImageMagick's import.

  screenshot.py <out.bmp> [--png <out.png> [--crop LEFT,TOP,WIDTH,HEIGHT]]
      one capture, written as a 32-bit top-down BMP file (as the client's test hook writes its
      pictures), and as a PNG file when asked, of the part under crop when given (rewritten only
      when its pixels changed)
  screenshot.py --every SECONDS <out.png>
      a capture every few seconds, each replacing the last in one step, until stopped
"""
import argparse
import os
import struct
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import bmp2png  # noqa: E402


def capture():
    """The display's pixels: width, height and rows of RGB bytes, top row first."""
    ppm = subprocess.run(["import", "-silent", "-window", "root", "-depth", "8", "ppm:-"], check=True,
                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=60).stdout
    fields, pos = [], 0
    while len(fields) < 4:  # P6, width, height, maximum; comments start with "#"
        while ppm[pos:pos + 1].isspace():
            pos += 1
        if ppm[pos:pos + 1] == b"#":
            pos = ppm.index(b"\n", pos)
            continue
        end = pos
        while not ppm[end:end + 1].isspace():
            end += 1
        fields.append(ppm[pos:end])
        pos = end
    if fields[0] != b"P6" or int(fields[3]) != 255:
        raise SystemExit("import gave no 8-bit PPM picture")
    width, height = int(fields[1]), int(fields[2])
    pos += 1
    rows = [ppm[pos + 3 * width * y: pos + 3 * width * (y + 1)] for y in range(height)]
    return width, height, rows


def crop(width, height, rows, box):
    left, top, w, h = box
    left, top = max(0, left), max(0, top)
    w, h = min(w, width - left), min(h, height - top)
    return w, h, [row[3 * left:3 * (left + w)] for row in rows[top:top + h]]


def write_bmp(path, width, height, rows):
    rgb = b"".join(rows)
    body = bytearray(b"\xff" * (4 * width * height))
    body[0::4], body[1::4], body[2::4] = rgb[2::3], rgb[1::3], rgb[0::3]
    header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, -height, 1, 32, 0, len(body), 0, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + bytes(body))


def write_png(path, width, height, rows):
    out = bmp2png.png(width, height, rows)
    try:
        if open(path, "rb").read() == out:
            return
    except OSError:
        pass
    temporary = path + ".part"
    with open(temporary, "wb") as f:
        f.write(out)
    os.replace(temporary, path)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("out")
    ap.add_argument("--crop")
    ap.add_argument("--png")
    ap.add_argument("--every", type=float)
    a = ap.parse_args()
    if a.every:
        while True:
            try:
                write_png(a.out, *capture())
            except (subprocess.SubprocessError, OSError, SystemExit) as e:
                print("screenshot: %s" % e, file=sys.stderr)
            time.sleep(a.every)
    width, height, rows = capture()
    write_bmp(a.out, width, height, rows)
    if a.png:
        if a.crop:
            width, height, rows = crop(width, height, rows, [int(v) for v in a.crop.split(",")])
        write_png(a.png, width, height, rows)
    return 0


if __name__ == "__main__":
    sys.exit(main())
