"""Pictures, the fixed-seed noise and the drawing helpers the art is made with.

A picture holds RGB triples, top row first. Cells are drawn through a Canvas: a 16 x 16 (or
other) window onto a picture whose coordinates start at the cell's corner. A canvas does not
clip: a drawing that strays beyond its cell lands in the picture around it, which is what the
checks look for.
"""
import math
import struct

MAGENTA = (255, 0, 255)
CELL = 16


class XorShift:
    """xorshift32 with a fixed seed: the noise of every picture and sound."""

    def __init__(self, seed=0x2545F491):
        self.state = (seed & 0xFFFFFFFF) or 0x2545F491
        for _ in range(4):  # stir a small seed
            self.next()

    def next(self):
        x = self.state
        x ^= (x << 13) & 0xFFFFFFFF
        x ^= x >> 17
        x ^= (x << 5) & 0xFFFFFFFF
        self.state = x
        return x

    def below(self, n):
        return self.next() % n

    def unit(self):
        """A number in [0, 1)."""
        return self.next() / 4294967296.0

    def signed(self):
        """A number in [-1, 1)."""
        return 2.0 * self.unit() - 1.0


def seeded(*parts):
    """A generator seeded from names and numbers, so each drawing has noise of its own."""
    h = 2166136261
    for part in parts:
        for byte in str(part).encode() + b"/":
            h = ((h ^ byte) * 16777619) & 0xFFFFFFFF
    return XorShift(h)


class Picture:
    def __init__(self, width, height, fill=MAGENTA):
        self.width, self.height = width, height
        self.rows = [[fill] * width for _ in range(height)]

    def canvas(self, x0=0, y0=0, width=CELL, height=CELL):
        return Canvas(self, x0, y0, width, height)

    def whole(self):
        return Canvas(self, 0, 0, self.width, self.height)

    def bmp(self):
        """A 24-bit BI_RGB bottom-up file, rows padded to four bytes."""
        stride = (self.width * 3 + 3) & ~3
        pixels = bytearray()
        for row in reversed(self.rows):
            for r, g, b in row:
                pixels += bytes((b, g, r))
            pixels += bytes(stride - self.width * 3)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
        header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
        return header + info + bytes(pixels)


def atlas(size, painters):
    """A square atlas of 16 x 16 cells numbered down each column: painters[k] draws cell k on a
    canvas at the cell's corner, over magenta."""
    pic = Picture(size, size)
    n = size // CELL
    for cell, paint in enumerate(painters):
        paint(pic.canvas(CELL * (cell // n), CELL * (cell % n)))
    return pic


class Canvas:
    """A window onto a picture; (0, 0) is its top left corner."""

    def __init__(self, picture, x0, y0, width, height):
        self.picture, self.x0, self.y0 = picture, x0, y0
        self.width, self.height = width, height

    def _at(self, x, y):
        px, py = self.x0 + x, self.y0 + y
        if not (0 <= px < self.picture.width and 0 <= py < self.picture.height):
            raise IndexError("drawn outside the picture at (%d, %d)" % (px, py))
        return px, py

    def put(self, x, y, colour):
        px, py = self._at(x, y)
        self.picture.rows[py][px] = colour

    def get(self, x, y):
        px, py = self._at(x, y)
        return self.picture.rows[py][px]

    def fill(self, x0, y0, x1, y1, colour):
        """Columns x0..x1 and rows y0..y1, both inclusive."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def tile(self, texels):
        """Covers the canvas with rows of colours (a texture of its size)."""
        for y, row in enumerate(texels):
            for x, colour in enumerate(row):
                self.put(x, y, colour)


# ---- Colours -----------------------------------------------------------------------------
def clamp(v):
    return 0 if v < 0 else 255 if v > 255 else int(round(v))


def mix(a, b, t):
    return tuple(clamp(a[i] + (b[i] - a[i]) * t) for i in range(3))


def shade(colour, factor):
    """Darker below 1, lighter (towards white) above."""
    if factor <= 1:
        return tuple(clamp(c * factor) for c in colour)
    return mix(colour, (255, 255, 255), factor - 1)


def ramp(stops, t):
    """A colour along a list of colours spread evenly over 0..1."""
    t = min(max(t, 0.0), 1.0) * (len(stops) - 1)
    i = min(int(t), len(stops) - 2)
    return mix(stops[i], stops[i + 1], t - i)


# ---- Seamless noise ------------------------------------------------------------------------
def _smooth(t):
    return t * t * (3 - 2 * t)


def value_noise(rng, period, size=CELL, stretch=(1, 1)):
    """size x size values in [0, 1) that wrap around at the edges (period lattice points a side,
    a factor of size). stretch divides the lattice of x and y, for streaks along an axis."""
    px, py = max(1, period // stretch[0]), max(1, period // stretch[1])
    lattice = [[rng.unit() for _ in range(px)] for _ in range(py)]
    out = []
    for y in range(size):
        fy = (y + 0.5) * py / size - 0.5
        y0 = math.floor(fy)
        ty = _smooth(fy - y0)
        row = []
        for x in range(size):
            fx = (x + 0.5) * px / size - 0.5
            x0 = math.floor(fx)
            tx = _smooth(fx - x0)
            a = lattice[y0 % py][x0 % px]
            b = lattice[y0 % py][(x0 + 1) % px]
            c = lattice[(y0 + 1) % py][x0 % px]
            d = lattice[(y0 + 1) % py][(x0 + 1) % px]
            row.append((a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty)
        out.append(row)
    return out


def fbm(rng, octaves=((2, 0.5), (4, 0.3), (8, 0.15), (16, 0.05)), size=CELL, stretch=(1, 1)):
    """Noise of several lattice sizes (period, weight), scaled to fill 0..1."""
    total = [[0.0] * size for _ in range(size)]
    for period, weight in octaves:
        layer = value_noise(rng, period, size, stretch)
        for y in range(size):
            for x in range(size):
                total[y][x] += weight * layer[y][x]
    lo = min(min(r) for r in total)
    hi = max(max(r) for r in total)
    span = (hi - lo) or 1.0
    return [[(v - lo) / span for v in row] for row in total]


def worley(rng, points, size=CELL):
    """Wrapping cells around random points: for each texel (nearest point index, distance to
    the nearest, distance to the second nearest)."""
    seeds = [(rng.unit() * size, rng.unit() * size) for _ in range(points)]
    out = []
    for y in range(size):
        row = []
        for x in range(size):
            dists = []
            for i, (sx, sy) in enumerate(seeds):
                dx = abs(x + 0.5 - sx)
                dy = abs(y + 0.5 - sy)
                dx, dy = min(dx, size - dx), min(dy, size - dy)
                dists.append((math.hypot(dx, dy), i))
            dists.sort()
            row.append((dists[0][1], dists[0][0], dists[1][0]))
        out.append(row)
    return out


# ---- Shapes ------------------------------------------------------------------------------
def disc(canvas, cx, cy, r, colour):
    """Texels whose centres lie within r of (cx, cy)."""
    for y in range(math.floor(cy - r), math.ceil(cy + r) + 1):
        for x in range(math.floor(cx - r), math.ceil(cx + r) + 1):
            if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                canvas.put(x, y, colour)


def ellipse(canvas, cx, cy, rx, ry, colour):
    for y in range(math.floor(cy - ry), math.ceil(cy + ry) + 1):
        for x in range(math.floor(cx - rx), math.ceil(cx + rx) + 1):
            if ((x + 0.5 - cx) / rx) ** 2 + ((y + 0.5 - cy) / ry) ** 2 <= 1:
                canvas.put(x, y, colour)


def line(canvas, x0, y0, x1, y1, colour):
    """A one-texel line between two texels."""
    steps = max(abs(x1 - x0), abs(y1 - y0), 1)
    for i in range(steps + 1):
        canvas.put(int(round(x0 + (x1 - x0) * i / steps)), int(round(y0 + (y1 - y0) * i / steps)), colour)


def polygon(canvas, points, colour):
    """Texels whose centres lie inside the polygon (even-odd rule)."""
    ys = [p[1] for p in points]
    for y in range(math.floor(min(ys)), math.ceil(max(ys)) + 1):
        cy = y + 0.5
        xs = []
        for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
            if (ay <= cy < by) or (by <= cy < ay):
                xs.append(ax + (cy - ay) * (bx - ax) / (by - ay))
        xs.sort()
        for left, right in zip(xs[::2], xs[1::2]):
            for x in range(math.ceil(left - 0.5), math.floor(right - 0.5) + 1):
                canvas.put(x, y, colour)


def sprite(canvas, rows, palette, x0=0, y0=0, mirror=False):
    """Draws a character map: each character a palette key, "." left as it is."""
    width = max(len(r) for r in rows)
    for y, row in enumerate(rows):
        for x, key in enumerate(row):
            if key != ".":
                canvas.put(x0 + (width - 1 - x if mirror else x), y0 + y, palette[key])


def outline(canvas, colour, inside=lambda c: c != MAGENTA, diagonal=False):
    """Puts colour on every key texel of the canvas next to a drawn one (beside it, or with
    diagonal also corner to corner)."""
    drawn = [[inside(canvas.get(x, y)) for x in range(canvas.width)] for y in range(canvas.height)]
    for y in range(canvas.height):
        for x in range(canvas.width):
            if drawn[y][x]:
                continue
            near = any(drawn[y + dy][x + dx] for dy in (-1, 0, 1) for dx in (-1, 0, 1)
                       if (diagonal or dx == 0 or dy == 0)
                       and 0 <= y + dy < canvas.height and 0 <= x + dx < canvas.width)
            if near:
                canvas.put(x, y, colour)
