"""Faults of the generated art and sounds that a player would see or hear."""
import cmath
import itertools
import math
import unittest

from artwork import figures, pictures, sounds, terrain
from artwork.canvas import CELL, MAGENTA, Picture, atlas
from make_resources import ATLASES

# The map characters of the plain grounds by tile id, "." the plain grass.
GROUNDS = dict(zip([8, 9, 10, 11, 12, 13, 14, 15, 24, 25, 26, 27, 28, 29, 30, 31, 40, 41, 42, 43, 44, 45, 46, 47,
                    56, 57, 58, 59, 60, 61, 62, 63, 76, 77, 78, 79], "@$%>&-}[*~`{!^]|;<,.\\qwertyuivo_pasd"))


def cell_texels(pic, n, k):
    x0, y0 = CELL * (k // n), CELL * (k % n)
    return tuple(tuple(pic.rows[y0 + y][x0:x0 + CELL]) for y in range(CELL))


def jump(a, b):
    """How much two lines of texels differ, on average over their channels."""
    return sum(abs(p - q) for s, t in zip(a, b) for p, q in zip(s, t)) / len(a)


def column(texels, x):
    return [row[x] for row in texels]


class Atlases(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.painters = {name: (size, painters()) for name, size, painters in ATLASES}
        cls.pictures = {name: atlas(size, p) for name, (size, p) in cls.painters.items()}

    def test_every_cell_draws_inside_its_square_only(self):
        for name, (size, painters) in self.painters.items():
            for k, paint in enumerate(painters):
                pic = Picture(3 * CELL, 3 * CELL)
                paint(pic.canvas(CELL, CELL))
                strays = [(x, y) for y in range(3 * CELL) for x in range(3 * CELL)
                          if pic.rows[y][x] != MAGENTA and not (CELL <= x < 2 * CELL and CELL <= y < 2 * CELL)]
                self.assertEqual(strays, [], "%s cell %d" % (name, k))

    def test_terrain_is_opaque_and_every_sprite_has_magenta_around_it(self):
        for name, pic in self.pictures.items():
            n = pic.width // CELL
            for k in range(n * n):
                texels = cell_texels(pic, n, k)
                if name == "TERRAIN_16":
                    self.assertNotIn(MAGENTA, sum(texels, ()), "terrain cell %d" % k)
                    continue
                ring = texels[0] + texels[-1] + tuple(column(texels, 0)) + tuple(column(texels, -1))
                self.assertEqual(set(ring), {MAGENTA}, "%s cell %d" % (name, k))
                self.assertGreater(sum(t != MAGENTA for t in sum(texels, ())), 8, "%s cell %d is empty" % (name, k))

    def test_no_two_cells_of_an_atlas_alike(self):
        for name, pic in self.pictures.items():
            n = pic.width // CELL
            cells = [cell_texels(pic, n, k) for k in range(n * n)]
            self.assertEqual(len(set(cells)), len(cells), name)


class Terrain(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.cells = terrain.cells()

    def assertJoins(self, left, right, what):
        """right laid east of left shows no seam sharper than the lines inside left."""
        inside = max(jump(column(left, x), column(left, x + 1)) for x in range(CELL - 1))
        self.assertLessEqual(jump(column(left, -1), column(right, 0)), 1.5 * inside + 2, what)

    def transposed(self, texels):
        return [column(texels, x) for x in range(CELL)]

    def test_grounds_join_themselves_without_a_seam(self):
        for tile in terrain.PLAIN:
            t = self.cells[tile]
            self.assertJoins(t, t, "tile %d across" % tile)
            self.assertJoins(self.transposed(t), self.transposed(t), "tile %d down" % tile)

    def test_class_cells_join_where_they_neighbour_each_other(self):
        for number, (column0, row0, _, _) in terrain.CLASSES.items():
            cell = lambda h, v: self.cells[(column0 + h) * 16 + row0 + v]
            for v in range(4):
                for a in (0, 1):
                    for b in (1, 2):
                        self.assertJoins(cell(a, v), cell(b, v), "class %d: h %d then %d, v %d" % (number, a, b, v))
                        self.assertJoins(self.transposed(cell(v, a)), self.transposed(cell(v, b)),
                                         "class %d: v %d then %d, h %d" % (number, a, b, v))

    def test_every_ground_is_told_apart_from_every_other(self):
        # Told apart at 1:1 when their mean colours lie 12 apart (of 0..255), or when 15 % of
        # the texels of one fall in colour classes (cubes of 32 levels) that the other lacks.
        def mean(t):
            texels = sum(t, [])
            return [sum(c[i] for c in texels) / len(texels) for i in range(3)]

        def classes(t):
            out = {}
            for c in sum(t, []):
                key = tuple(v // 32 for v in c)
                out[key] = out.get(key, 0) + 1
            return out
        looks = {tile: (mean(self.cells[tile]), classes(self.cells[tile])) for tile in GROUNDS}
        for a, b in itertools.combinations(GROUNDS, 2):
            (ma, ca), (mb, cb) = looks[a], looks[b]
            shift = sum(abs(ca.get(k, 0) - cb.get(k, 0)) for k in set(ca) | set(cb)) / 2 / CELL ** 2
            self.assertTrue(math.dist(ma, mb) >= 12 or shift >= 0.15,
                            "%r and %r: colours %.1f apart, %.0f %% of texels" % (GROUNDS[a], GROUNDS[b],
                                                                                 math.dist(ma, mb), 100 * shift))

    def test_mud_lies_in_lumps_not_bars(self):
        # The mean of each column and of each row vary alike: no stripes along either axis.
        mud = self.cells[25]
        spread = lambda means: max(means) - min(means)
        columns = spread([sum(sum(c) for c in column(mud, x)) / CELL for x in range(CELL)])
        rows = spread([sum(sum(c) for c in row) / CELL for row in mud])
        self.assertLess(max(columns, rows) / max(1, min(columns, rows)), 2.0)

    def test_edge_cells_border_the_sides_without_a_neighbour_of_their_class(self):
        # The map's tiling: h 0 a neighbour to the east only, 1 both sides, 2 to the west only, 3
        # none; v 0 a neighbour to the south only, 1 both, 2 to the north only, 3 none; the cell
        # is base + 16 h + v. Two squares of a class side by side are cells 7 and 39 of the snow
        # (base 4), a row of them 23, a lone one 55.
        open_sides = {0: "E", 1: "WE", 2: "W", 3: ""}
        open_ends = {0: "S", 1: "NS", 2: "N", 3: ""}
        examples = {7: "E", 39: "W", 23: "WE", 55: ""}
        lines = {"W": lambda t: column(t, 0), "E": lambda t: column(t, -1), "N": lambda t: t[0], "S": lambda t: t[-1]}
        bases = {5: 0, 1: 4, 3: 64, 2: 68, 4: 72}
        for number, base in bases.items():
            interior = self.cells[base + 16 + 1]  # neighbours all round: the class's own ground
            for h in range(4):
                for v in range(4):
                    cell = base + 16 * h + v
                    opened = open_sides[h] + open_ends[v]
                    if base == 4 and cell in examples:
                        self.assertEqual(sorted(opened), sorted(examples[cell]))
                    for side, line in lines.items():
                        edge, inside = list(line(self.cells[cell]))[6:10], list(line(interior))[6:10]
                        what = "class %d cell %d side %s" % (number, cell, side)
                        if side in opened:
                            self.assertEqual(edge, inside, what)
                        else:  # the border, with the grass beyond it, unlike the class's ground
                            self.assertGreater(jump(edge, inside), 10, what)


class Figures(unittest.TestCase):
    def test_players_face_west_for_the_mirroring(self):
        # A cell is drawn as it is after a move west and mirrored after one east: the figure
        # faces west, its marker and its goggles' lens on the west half.
        sheet = atlas(256, figures.players())
        for cell in range(256):
            texels = cell_texels(sheet, 16, cell)
            for colour in (figures.MARKER, figures.LENS):
                xs = [x for row in texels for x, c in enumerate(row) if c == colour]
                self.assertTrue(xs and max(xs) < CELL // 2, "cell %d: %s at %s" % (cell, colour, xs))


class Pictures(unittest.TestCase):
    def test_button_pictures_leave_the_face_to_the_key(self):
        # Around the ink of a picture shown on a button or a window's face lies the key colour,
        # which the client gives the system's face colour, never a grey of its own.
        shown = pictures.pictures()
        for name in ["TARGET_%d" % i for i in range(9)] + ["ABOUT_FINGER"]:
            pic = shown[name]
            corners = {pic.rows[y][x] for x in (0, pic.width - 1) for y in (0, pic.height - 1)}
            self.assertEqual(corners, {MAGENTA}, name)
            greys = [c for row in pic.rows for c in row if c != MAGENTA and max(c) - min(c) < 16 and min(c) > 150]
            self.assertEqual(greys, [], name)

    def test_the_boxed_cursor_is_rimmed_in_white(self):
        # Every black texel of Cursor2 has a white one beside it, on the side away from the box's inside too.
        rows = pictures.cursor_mask(True)
        for y in range(32):
            for x in range(32):
                if rows[y][x] == "#":
                    near = [rows[y + dy][x + dx] for dy in (-1, 0, 1) for dx in (-1, 0, 1) if 0 <= y + dy < 32 and 0 <= x + dx < 32]
                    self.assertIn("o", near, (x, y))
                    self.assertNotIn(".", near, (x, y))


def spectrum_share(samples, rate, cutoff):
    """The share of a sound's energy at or above cutoff Hz (a power-of-two transform, zero padded)."""
    n = 1 << max(1, (len(samples) - 1).bit_length())
    a = [complex(v) for v in samples] + [0j] * (n - len(samples))
    j = 0
    for i in range(1, n):  # bit-reversed order, then butterflies
        bit = n >> 1
        while j & bit:
            j ^= bit
            bit >>= 1
        j |= bit
        if i < j:
            a[i], a[j] = a[j], a[i]
    size = 2
    while size <= n:
        w = cmath.exp(-2j * math.pi / size)
        for start in range(0, n, size):
            t = 1
            for k in range(start, start + size // 2):
                u, v = a[k], a[k + size // 2] * t
                a[k], a[k + size // 2] = u + v, u - v
                t *= w
        size *= 2
    power = [abs(a[k]) ** 2 for k in range(1, n // 2)]
    return sum(p for k, p in enumerate(power, 1) if k * rate / n >= cutoff) / sum(power)


def loudest_tenth(samples, rate):
    """How loud a sound is heard: the RMS of its loudest 100 ms (of every window of that length),
    in dB of full scale."""
    width = rate // 10
    squares = [v * v for v in samples]
    window = loudest = sum(squares[:width])
    for i in range(width, len(squares)):
        window += squares[i] - squares[i - width]
        loudest = max(loudest, window)
    return 10 * math.log10(loudest / width / 32768 ** 2)


class Sounds(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.samples = {name: sounds.samples(name)[0] for name, *_ in sounds.SOUNDS}

    def test_effects_rise_from_and_fall_back_to_silence(self):
        for name, *_, loop in sounds.SOUNDS:
            s = self.samples[name]
            self.assertGreater(max(map(abs, s)), 8000, name)
            if not loop:
                self.assertLessEqual(max(abs(s[0]), abs(s[-1])), 300, name)

    def test_loops_join_without_a_click(self):
        for name, rate, *_, loop in sounds.SOUNDS:
            if not loop:
                continue
            s = self.samples[name]
            # Each sample foretold from the two before it (least squares over the loop): across
            # the seam the guess may miss by no more than it does elsewhere.
            rows = [(s[i - 1], s[i - 2], s[i]) for i in range(2, len(s))]
            aa, ab, bb = (sum(r[0] * r[0] for r in rows), sum(r[0] * r[1] for r in rows), sum(r[1] * r[1] for r in rows))
            ay, by = sum(r[0] * r[2] for r in rows), sum(r[1] * r[2] for r in rows)
            p = ((ay * bb - by * ab) / (aa * bb - ab * ab), (by * aa - ay * ab) / (aa * bb - ab * ab))
            miss = lambda i: s[i] - p[0] * s[i - 1] - p[1] * s[i - 2]  # i - 1 and i - 2 wrap around
            rms = math.sqrt(sum(miss(i) ** 2 for i in range(2, len(s))) / (len(s) - 2))
            self.assertLessEqual(max(abs(miss(0)), abs(miss(1))), 4 * rms, name)
            loudness = [math.sqrt(sum(v * v for v in part) / len(part)) for part in (s[:rate // 20], s[-rate // 20:])]
            self.assertLess(max(loudness) / min(loudness), 1.6, name)

    def test_effects_carry_their_energy_where_small_speakers_play(self):
        # Small speakers give little below some 150 Hz: at least half of each effect's energy lies
        # above 200 Hz, a quarter of the thunder's.
        for name, rate, *_, loop in sounds.SOUNDS:
            share = spectrum_share(self.samples[name], rate, 200)
            self.assertGreaterEqual(share, 0.25 if name == "THUNDER" else 0.5, "%s: %.2f" % (name, share))

    def test_effects_are_alike_in_loudness_and_the_ambience_lies_below(self):
        # In dB of full scale: every effect from -19 to -12, half of them at -16.5 or above, the
        # sirens (long and steady) at -12.5 at most; the ambience from -23 to -19.5, under the
        # game's own sounds, rain and wind within 3 dB of each other.
        level = {name: loudest_tenth(self.samples[name], rate) for name, rate, *_ in sounds.SOUNDS}
        effects = [name for name, *_, loop in sounds.SOUNDS if not loop]
        self.assertEqual(len(effects), 13)
        for name in effects:
            self.assertTrue(-19 <= level[name] <= -12, "%s: %.1f" % (name, level[name]))
        self.assertGreaterEqual(sorted(level[name] for name in effects)[6], -16.5, level)
        self.assertLessEqual(max(level["SIREN"], level["UNSIREN"]), -12.5, level)
        for name in ("RAIN", "WIND"):
            self.assertTrue(-23 <= level[name] <= -19.5, "%s: %.1f" % (name, level[name]))
        self.assertLessEqual(abs(level["RAIN"] - level["WIND"]), 3.0, level)

    def test_the_siren_rises_and_the_unsiren_falls(self):
        def crossings(part):
            return sum((a < 0) != (b < 0) for a, b in zip(part, part[1:]))
        for name, rises in (("SIREN", True), ("UNSIREN", False)):
            s = self.samples[name]
            first, second = crossings(s[:len(s) // 2]), crossings(s[len(s) // 2:])
            self.assertGreater(second if rises else first, 1.5 * (first if rises else second), name)


if __name__ == "__main__":
    unittest.main()
