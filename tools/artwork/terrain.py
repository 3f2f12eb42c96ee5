"""The terrain atlas TERRAIN_16: 256 x 256, sixteen cells a side, cell id = column x 16 + row.

Every texture here wraps around at its edges, so a ground laid next to itself shows no seam.
The five auto-tiled classes each fill a 4 x 4 block: the cell of class base + 16 h + v shows
the class's border on the sides that have no neighbour of the class (h: 0 west, 1 none, 2 east,
3 both; v: 0 north, 1 none, 2 south, 3 both), with grass beyond the border so that a field of
the class meets the surrounding grass without a seam. The cells no map character reaches are
grass with flowers of their own.

A device may show, at a drawn cell's top or left edge, the texels of the atlas cell above or to
the left of it (see the unused cells): the grounds beside the plain grass, and the blocks'
outer cells, end in grass there.
"""
import math

from .canvas import CELL, fbm, mix, ramp, seeded, shade, worley

SIZE = 256
N = SIZE // CELL

# ---- Ground textures: each a function of a noise generator, giving 16 rows of 16 colours ---


def _grid(f):
    return [[f(x, y) for x in range(CELL)] for y in range(CELL)]


def _scatter(rng, tex, count, colour_of, size=1):
    """Puts count specks (size x size, wrapping) whose colour comes from the texel under them."""
    for _ in range(count):
        x, y = rng.below(CELL), rng.below(CELL)
        c = colour_of(tex[y][x], rng)
        for dy in range(size):
            for dx in range(size):
                tex[(y + dy) % CELL][(x + dx) % CELL] = c
    return tex


def noisy(stops, octaves=((2, 0.5), (4, 0.3), (8, 0.15), (16, 0.05)), lo=0.1, hi=0.9, stretch=(1, 1)):
    def make(rng):
        n = fbm(rng, octaves, stretch=stretch)
        return _grid(lambda x, y: ramp(stops, lo + (hi - lo) * n[y][x]))
    return make


def with_specks(base, *specks):
    """A texture with specks: (count, size, factor or colour) each."""
    def make(rng):
        tex = base(rng)
        for count, size, look in specks:
            if isinstance(look, tuple):
                _scatter(rng, tex, count, lambda c, r, look=look: mix(look, c, 0.25 * r.unit()), size)
            else:
                _scatter(rng, tex, count, lambda c, r, look=look: shade(c, look), size)
        return tex
    return make


GRASS = [(34, 84, 28), (50, 116, 36), (70, 142, 46), (98, 166, 60)]


def grass(stops=GRASS, blades=18):
    base = noisy(stops, ((8, 0.55), (16, 0.45)), lo=0.3, hi=0.75)

    def make(rng):
        tex = base(rng)
        for _ in range(blades):  # short strokes, light and dark, one texel wide
            x, y = rng.below(CELL), rng.below(CELL)
            c = shade(tex[y][x], 1.2 if rng.below(2) else 0.72)
            tex[y][x] = c
            tex[(y + 1) % CELL][x] = mix(c, tex[(y + 1) % CELL][x], 0.5)
        return tex
    return make


def stamped(base, count, stamp, inside=True):
    """count small marks on a texture: stamp(rng, i) gives each mark's texels as (dx, dy,
    colour). Inside keeps every mark clear of the last row and column, else marks wrap."""
    def make(rng):
        tex = base(rng)
        for i in range(count):
            mark = stamp(rng, i)
            lo = min(min(dx, dy) for dx, dy, _ in mark)
            hi = max(max(dx, dy) for dx, dy, _ in mark)
            x, y = (-lo + rng.below(CELL - 1 - hi + lo), -lo + rng.below(CELL - 1 - hi + lo)) if inside else \
                (rng.below(CELL), rng.below(CELL))
            for dx, dy, c in mark:
                tex[(y + dy) % CELL][(x + dx) % CELL] = c
        return tex
    return make


def flowers(base, colours, count=5):
    """Small flowers, a centre with four petals each."""
    def flower(rng, i):
        petal = colours[i % len(colours)]
        centre = (250, 230, 90) if petal != (250, 230, 90) else (200, 120, 30)
        return [(1, 0, petal), (-1, 0, petal), (0, 1, petal), (0, -1, petal), (0, 0, centre)]
    return stamped(base, count, flower)


def tufts(base, colours, count, size=1):
    """Small clumps (size x size) of the colours."""
    def tuft(rng, i):
        c = colours[rng.below(len(colours))]
        return [(dx, dy, shade(c, 0.9 + 0.2 * rng.unit())) for dy in range(size) for dx in range(size)]
    return stamped(base, count, tuft)


def leaves(base, colours, count=14):
    def leaf(rng, i):
        c = colours[rng.below(len(colours))]
        return [(dx, dy, shade(c, 0.85 + 0.3 * rng.unit())) for dx, dy in ((0, 0), (1, 0), (0, 1), (1, 1))]
    return stamped(base, count, leaf, inside=False)


def stones(base, stops, count=7, mortar=None, points=None):
    """Rounded stones (wrapping cells of random points), lit from the top left; between them
    the base texture or, with mortar, that colour."""
    def make(rng):
        under = base(rng)
        cells = worley(rng, points or count)
        tint = [ramp(stops, rng.unit()) for _ in range(points or count)]
        n = fbm(rng, ((4, 0.6), (8, 0.4)))

        def texel(x, y):
            i, d1, d2 = cells[y][x]
            edge = d2 - d1
            if edge < 1.1:
                return mortar or shade(under[y][x], 0.8)
            c = shade(tint[i], 0.9 + 0.2 * n[y][x])
            # light from the top left: the texel's side of its stone
            up = cells[(y - 1) % CELL][x][0] != i or cells[y][(x - 1) % CELL][0] != i
            down = cells[(y + 1) % CELL][x][0] != i or cells[y][(x + 1) % CELL][0] != i
            return shade(c, 1.15) if up and not down else shade(c, 0.78) if down and not up else c
        return _grid(texel)
    return make


def courses(stops, mortar, height, length, offset, vertical=False, joint=1, grain=0.0):
    """Bricks, planks or slabs in courses of height texels, each length long, every other
    course shifted by offset; joint texels of mortar (or a dark seam) between them."""
    def make(rng):
        n = fbm(rng, ((2, 0.4), (4, 0.3), (8, 0.2), (16, 0.1)), stretch=(1, 4) if vertical else (4, 1))
        rows = CELL // height
        tone = {}

        def texel(x, y):
            u, w = (y, x) if vertical else (x, y)
            course = w // height
            shift = offset * (course % 2)
            piece = ((u + shift) % CELL) // length
            if w % height >= height - joint or (u + shift) % length >= length - joint:
                return mortar
            key = (course % rows, piece)
            if key not in tone:
                tone[key] = rng.unit()
            c = ramp(stops, 0.2 + 0.6 * tone[key])
            streak = n[y][x] - 0.5
            c = shade(c, 1 + grain * streak) if grain else shade(c, 0.92 + 0.16 * n[y][x])
            top = w % height == 0
            return shade(c, 1.1) if top else c
        return _grid(texel)
    return make


def checker(a, b, size=8):
    def make(rng):
        n = fbm(rng, ((4, 0.5), (8, 0.5)))
        return _grid(lambda x, y: shade(a if (x // size + y // size) % 2 == 0 else b, 0.94 + 0.12 * n[y][x]))
    return make


def marble(stops, vein):
    def make(rng):
        n = fbm(rng, ((2, 0.5), (4, 0.35), (8, 0.15)))

        def texel(x, y):
            t = math.sin(2 * math.pi * (x + y) / CELL + 5.0 * n[y][x])
            c = ramp(stops, n[y][x])
            return mix(c, vein, max(0.0, 1 - abs(t) * 6) * 0.8)
        return _grid(texel)
    return make


def diamond_plate(base, light):
    def make(rng):
        n = fbm(rng, ((2, 0.7), (8, 0.3)))

        def texel(x, y):
            c = shade(base, 0.9 + 0.2 * n[y][x])
            gx, gy = x % 8, y % 8
            u = (gx + (4 if (y // 8) % 2 else 0)) % 8
            if (u, gy) in ((2, 2), (3, 3), (4, 4)):
                return light
            if (u, gy) in ((3, 2), (4, 3), (5, 4)):
                return shade(base, 0.6)
            return c
        return _grid(texel)
    return make


def weave(a, b):
    """Carpet: two close colours in a fine weave, with slow noise."""
    def make(rng):
        n = fbm(rng, ((2, 0.6), (4, 0.4)))
        return _grid(lambda x, y: shade(a if (x + y) % 2 else b, 0.9 + 0.2 * n[y][x]))
    return make


def furrows(stops, width=4):
    """A tilled field: ridges and furrows across the tile."""
    def make(rng):
        n = fbm(rng, ((2, 0.4), (4, 0.3), (16, 0.3)), stretch=(4, 1))
        return _grid(lambda x, y: ramp(stops, 0.15 + 0.55 * n[y][x] + 0.3 * (0.5 + 0.5 * math.cos(2 * math.pi * y / width))))
    return make


def streaks(stops, slant, count, light):
    """Straw or ice: short slanting strokes over a noisy ground."""
    base = noisy(stops, lo=0.2, hi=0.8)

    def make(rng):
        tex = base(rng)
        for _ in range(count):
            x, y = rng.below(CELL), rng.below(CELL)
            for i in range(3):
                tex[(y + i) % CELL][(x + slant * i) % CELL] = shade(light, 0.9 + 0.2 * rng.unit())
        return tex
    return make


def cracked(base, crack, points=6):
    def make(rng):
        tex = base(rng)
        cells = worley(rng, points)
        for y in range(CELL):
            for x in range(CELL):
                if cells[y][x][2] - cells[y][x][1] < 0.9:
                    tex[y][x] = crack
        return tex
    return make


def puddles(base, water, threshold=0.72):
    def make(rng):
        tex = base(rng)
        n = fbm(rng, ((2, 0.5), (4, 0.5)))
        for y in range(CELL):
            for x in range(CELL):
                if n[y][x] > threshold:
                    tex[y][x] = shade(water, 0.9 + 0.3 * (n[y][x] - threshold))
        return tex
    return make


def lines(base, colour, every=8):
    """A sports floor: a white line along one row and one column of every tile."""
    def make(rng):
        tex = base(rng)
        for i in range(CELL):
            for j in range(0, CELL, every):
                tex[j][i] = tex[i][j] = colour
        return tex
    return make


def pebbles(base, colours, count):
    """Small rounded pebbles of two by two texels, lit at the top left with a shadow below and
    to the right of each."""
    def pebble(rng, i):
        c = colours[rng.below(len(colours))]
        mark = [(0, 0, shade(c, 1.25)), (1, 0, c), (0, 1, c), (1, 1, shade(c, 0.8))]
        return mark + [(2, 1, (30, 62, 22)), (1, 2, (30, 62, 22)), (2, 2, (26, 54, 20))]
    return stamped(base, count, pebble, inside=False)


def slabs(base, colour, count):
    """Flat stepping stones of four by three texels, a light top edge and a dark bottom one."""
    def slab(rng, i):
        c = shade(colour, 0.92 + 0.16 * rng.unit())
        return [(dx, dy, shade(c, 1.18) if dy == 0 else shade(c, 0.7) if dy == 2 else c)
                for dy in range(3) for dx in range(4)]
    return stamped(base, count, slab)


def clover(tint, leaf):
    """Clover: the lawn in clover's bluer green, with three-leafed sprigs and a few white heads."""
    def make(rng):
        tex = [[mix(c, tint, 0.35) for c in row] for row in lawn(rng)]
        for i in range(12):
            x, y = rng.below(CELL), rng.below(CELL)
            c = shade(leaf, 0.85 + 0.3 * rng.unit())
            for dx, dy in ((0, 0), (1, 0), (-1, 1), (0, 1), (1, 1), (2, 1), (0, 2), (1, 2)):
                tex[(y + dy) % CELL][(x + dx) % CELL] = shade(c, 1.15) if dy == 0 else c
            if i % 3 == 0:
                tex[(y + 1) % CELL][x] = (236, 236, 226)
        return tex
    return make


def mud(stops, water):
    """Mud: dark wet earth in soft lumps, with clods and small shining puddles."""
    base = with_specks(noisy(stops, ((4, 0.45), (8, 0.35), (16, 0.2)), lo=0.05, hi=0.95), (14, 1, 0.7))

    def make(rng):
        tex = base(rng)
        holes = worley(rng, 4)
        size = [1.6 + 1.6 * rng.unit() for _ in range(4)]
        for y in range(CELL):
            for x in range(CELL):
                i, d1, _ = holes[y][x]
                if d1 < size[i]:  # still water, the sky's light in its middle
                    tex[y][x] = shade(water, 1.3 if d1 < 0.8 else 1.12 - 0.25 * d1 / size[i])
                elif d1 < size[i] + 0.8:
                    tex[y][x] = shade(tex[y][x], 0.65)
        return tex
    return make


def lawn(rng):
    """The grass of the plain grass tile, whatever the noise: grounds laid on it meet it without a seam."""
    return grass()(seeded("plain", 43))


DIRT = [(86, 58, 34), (112, 78, 46), (136, 98, 60), (156, 118, 76)]
SAND = [(196, 170, 112), (214, 190, 130), (228, 206, 148), (238, 220, 168)]
STONE = [(96, 96, 100), (122, 120, 124), (146, 144, 146), (170, 168, 166)]
MOSS = [(30, 70, 30), (44, 96, 36), (62, 118, 44)]

# Plain tiles by id, each with the map character that names it.
PLAIN = {
    8: stones(noisy(DIRT), STONE, 8),                                                      # "@" cobbles
    9: with_specks(noisy(SAND, lo=0.3, hi=0.8), (10, 1, 0.85), (6, 1, 1.12)),              # "$" sand
    10: with_specks(noisy(DIRT), (12, 1, 0.75), (8, 1, 1.2)),                               # "%" dirt
    11: with_specks(noisy([(90, 88, 86), (120, 116, 110)]), (40, 1, 0.7), (40, 1, 1.3)),   # ">" gravel
    12: courses([(128, 128, 122), (150, 148, 140), (170, 166, 156)], (82, 80, 76), 8, 8, 4),  # "&" flagstones
    13: courses([(126, 84, 46), (146, 100, 56), (164, 116, 66)], (70, 44, 24), 4, 16, 8, grain=0.5),  # "-" planks
    14: courses([(150, 62, 48), (170, 76, 56), (186, 92, 66)], (196, 186, 170), 4, 8, 4),  # "}" bricks
    15: courses([(58, 62, 72), (70, 74, 86), (84, 88, 100)], (34, 36, 42), 8, 8, 0),      # "[" slate
    24: flowers(lawn, [(250, 230, 90), (240, 130, 40)], 9),                             # "*" flowers
    25: mud([(44, 30, 20), (62, 42, 26), (80, 56, 34), (96, 70, 44)], (52, 46, 38)),      # "~" mud
    26: pebbles(lawn, [(176, 150, 112), (198, 176, 138), (150, 124, 96)], 11),           # "`" grass, pebbles
    27: clover((30, 100, 70), (64, 144, 86)),                                           # "{" grass, clover
    28: stones(noisy(DIRT), [(150, 146, 140), (176, 170, 160), (120, 116, 112)], 10, points=5),  # "!" pebbles
    29: grass([(26, 70, 22), (40, 100, 30), (56, 128, 38), (84, 156, 52)], blades=40),    # "^" tall grass
    30: leaves(noisy(DIRT), [(200, 90, 30), (220, 150, 40), (170, 50, 30), (120, 80, 30)]),  # "]" leaves
    31: checker((222, 218, 208), (52, 54, 60)),                                            # "|" tiled floor
    40: with_specks(noisy(MOSS, lo=0.1, hi=0.95), (16, 1, 1.25)),                          # ";" moss
    41: weave((150, 28, 36), (136, 22, 30)),                                               # "<" red carpet
    42: flowers(lawn, [(255, 255, 255), (236, 120, 160), (255, 255, 255)], 8),             # "," daisies
    43: grass(),                                                                           # "." grass
    44: with_specks(noisy([(52, 52, 56), (64, 64, 68), (76, 76, 80)]), (20, 1, 1.35)),     # "\" asphalt
    45: with_specks(noisy([(150, 150, 146), (168, 166, 160), (182, 180, 174)], lo=0.3, hi=0.7),
                    (14, 1, 0.8)),                                                         # "q" concrete
    46: diamond_plate((128, 132, 138), (196, 200, 206)),                                   # "w" metal plate
    47: marble([(226, 224, 220), (240, 238, 234), (250, 250, 248)], (150, 150, 160)),     # "e" marble
    56: noisy([(140, 64, 40), (166, 84, 52), (186, 106, 66)]),                             # "r" clay
    57: streaks([(170, 214, 236), (196, 230, 246), (220, 242, 252)], 1, 6, (250, 254, 255)),  # "t" ice
    58: furrows([(70, 48, 30), (98, 68, 42), (130, 94, 60)]),                              # "y" field
    59: streaks([(196, 164, 76), (214, 184, 92), (230, 204, 118)], -1, 14, (244, 224, 150)),  # "u" straw
    60: cracked(noisy([(194, 158, 110), (210, 176, 126), (222, 192, 142)]), (126, 96, 64)),  # "i" dry earth
    61: puddles(noisy([(70, 80, 44), (88, 96, 52), (104, 110, 60)]), (50, 70, 60), 0.65),  # "v" swamp
    62: with_specks(noisy([(46, 44, 44), (62, 60, 58), (80, 76, 74)]), (6, 1, (230, 110, 30))),  # "o" ash
    63: stones(noisy([(110, 100, 88), (130, 120, 106)]), [(140, 132, 120), (100, 94, 86)], 9),  # "_" rubble
    76: weave((40, 70, 150), (32, 60, 136)),                                               # "p" blue carpet
    77: courses([(170, 122, 70), (186, 138, 82), (152, 106, 58)], (110, 72, 40), 4, 8, 4, vertical=True),  # "a" parquet
    78: lines(noisy([(40, 120, 70), (48, 134, 80)], lo=0.3, hi=0.7), (236, 240, 236)),     # "s" sports floor
    79: slabs(lawn, (168, 168, 170), 4),                                                # "d" stepping stones
}

# ---- Auto-tiled classes --------------------------------------------------------------------
# Each class: its atlas block's top left cell (column, row) and how a texel at depth d from the
# class's outer edge looks. Depth counts in texels from the edge of the square on a side
# without a neighbour; texels deeper than RIM show the class's own texture untouched.
RIM = 6.0
CORNER = 6.0  # radius of the rounded corners where two bordered sides meet


def _depth(x, y, sides):
    """Depth of texel (x, y) inside a square bordered on sides ("W", "E", "N", "S"), and how
    much its nearest border faces the light from the top left (-1 away .. 1 towards)."""
    px, py = x + 0.5, y + 0.5
    inf = float("inf")
    w, e = (px if "W" in sides else inf), (CELL - px if "E" in sides else inf)
    n, s = (py if "N" in sides else inf), (CELL - py if "S" in sides else inf)
    ax, sx = (w, -1) if w <= e else (e, 1)
    ay, sy = (n, -1) if n <= s else (s, 1)
    if ax < CORNER and ay < CORNER:
        vx, vy = (CORNER - ax) * sx, (CORNER - ay) * sy
        length = math.hypot(vx, vy) or 1.0
        return CORNER - length, -(vx + vy) / length / math.sqrt(2)
    if ax == inf and ay == inf:
        return inf, 0.0
    return (ax, -sx / math.sqrt(2)) if ax < ay else (ay, -sy / math.sqrt(2))


def water(deep, shallow, shore, foam):
    def texture(rng):
        n = fbm(rng, ((4, 0.5), (8, 0.3), (16, 0.2)))
        m = fbm(rng, ((4, 0.6), (8, 0.4)))

        def texel(x, y):
            c = ramp(deep, 0.2 + 0.6 * n[y][x])
            wave = math.sin(2 * math.pi * (x + 2 * y) / CELL + 5.0 * m[y][x])
            return shade(c, 1.3) if wave > 0.95 and n[y][x] > 0.35 else c
        return _grid(texel)

    def rim(d, light, inner, ground, n):
        if d < 1.0 + n:
            return ground
        if d < 3.0 + n:
            return shade(shore, 0.92 + 0.08 * ((d * 7) % 1))
        if d < 3.8 + n:
            return foam
        if d < 5.5:
            return mix(shallow, inner, (d - 3.8 - n) / (1.7 - n))
        return inner
    return texture, rim


def raised(stops, edge, detail):
    """A raised ground (rock, hedge): its own texture, a dark edge, lit on the sides that face
    the top left and shadowed on the others; its shadow falls on the grass below it."""
    def rim(d, light, inner, ground, n):
        if d < 1.0 + n:
            return shade(ground, 1 - 0.35 * max(0.0, -light) * max(0.0, d + 1.0) / 2.0) if d > -1 else ground
        if d < 2.0 + n:
            return edge
        if d < 4.0 + n:
            return shade(inner, 1 + 0.35 * light)
        return inner
    return detail(stops), rim


def rock_texture(stops):
    return cracked(noisy(stops, lo=0.15, hi=0.85), shade(stops[0], 0.7), 5)


def hedge_texture(stops):
    def make(rng):
        tex = noisy(stops, ((4, 0.4), (8, 0.4), (16, 0.2)), lo=0.1, hi=0.6)(rng)
        for _ in range(30):  # clusters of leaves catching the light
            x, y = rng.below(CELL), rng.below(CELL)
            c = ramp(stops, 0.75 + 0.25 * rng.unit())
            tex[y][x] = c
            tex[y][(x + 1) % CELL] = shade(c, 0.9)
            tex[(y + 1) % CELL][x] = shade(c, 0.75)
        return tex
    return make


def snow():
    def texture(rng):
        n = fbm(rng, ((2, 0.5), (4, 0.3), (8, 0.2)))
        tex = _grid(lambda x, y: ramp([(214, 224, 238), (232, 238, 248), (246, 249, 255)], n[y][x]))
        return _scatter(rng, tex, 8, lambda c, r: (255, 255, 255))

    def rim(d, light, inner, ground, n):
        if d < 1.0 + 1.5 * n:
            return ground
        if d < 2.0 + 1.5 * n:
            return mix(inner, (150, 166, 190), 0.55)
        if d < 3.5 + n:
            return shade(inner, 0.93 + 0.05 * light)
        return inner
    return texture, rim


def pond():
    texture, water_rim = water([(18, 58, 70), (24, 74, 86), (34, 92, 100)], (54, 112, 104),
                               (84, 64, 40), (96, 124, 96))

    def rim(d, light, inner, ground, n):
        if d < 1.0 + n:
            return ground
        if d < 2.5 + n:  # a muddy bank with reeds
            return (70, 108, 40) if (int(d * 10) + int(n * 10)) % 5 == 0 else shade((84, 64, 40), 0.9 + 0.2 * ((d * 3) % 1))
        return water_rim(d, light, inner, ground, n)
    return texture, rim


# class number: (top left cell column, row, texture maker, rim)
CLASSES = {
    5: (0, 0) + raised([(20, 62, 24), (30, 84, 32), (46, 110, 40), (80, 150, 60)], (12, 36, 14), hedge_texture),
    1: (0, 4) + snow(),
    3: (4, 0) + water([(30, 86, 170), (38, 104, 190), (52, 124, 206)], (76, 164, 214), (222, 200, 142),
                      (236, 246, 250)),
    2: (4, 4) + raised([(104, 100, 96), (128, 124, 118), (150, 146, 138), (176, 172, 164)], (52, 50, 48),
                       rock_texture),
    4: (4, 8) + pond(),
}


def sides(h, v):
    """The sides of a class cell without a neighbour of the class."""
    return {0: "W", 1: "", 2: "E", 3: "WE"}[h] + {0: "N", 1: "", 2: "S", 3: "NS"}[v]


def class_cells(number, ground):
    """The sixteen cells of a class: {(h, v): texels}."""
    _, _, make, rim = CLASSES[number]
    inner = make(seeded("class", number))
    edge_noise = fbm(seeded("class edge", number), ((2, 0.5), (4, 0.5)))
    cells = {}
    for h in range(4):
        for v in range(4):
            bordered = sides(h, v)

            def texel(x, y):
                d, light = _depth(x, y, bordered)
                if d >= RIM:
                    return inner[y][x]
                return rim(d, light, inner[y][x], ground[y][x], edge_noise[y][x] - 0.5)
            cells[h, v] = _grid(texel)
    return cells


def unused(cell):
    """Grass with a few flowers of its own: no map reaches these cells, but a device that samples
    a drawn cell's edge may show a texel of its neighbour, which then is grass."""
    colours = [(255, 255, 255), (250, 230, 90), (236, 120, 160), (180, 140, 230), (240, 140, 60)]
    return flowers(lawn, colours[cell % 5:] + colours[:cell % 5], 3)(seeded("unused", cell))


def cells():
    """Every cell of the atlas by id."""
    ground = PLAIN[43](seeded("plain", 43))
    out = {tile: make(seeded("plain", tile)) for tile, make in PLAIN.items()}
    for number, (column, row, _, _) in CLASSES.items():
        for (h, v), texels in class_cells(number, ground).items():
            out[(column + h) * N + row + v] = texels
    for cell in range(N * N):
        if cell not in out:
            out[cell] = unused(cell)
    return out


def painters():
    """The painters of the cells, by cell number."""
    ground = cells()
    return [lambda c, t=ground[cell]: c.tile(t) for cell in range(N * N)]
