"""Faults of the generated art and sounds that a player would see or hear."""
import math
import unittest

from artwork import sounds, terrain
from artwork.canvas import CELL, MAGENTA, Picture, atlas
from make_resources import ATLASES


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

    def test_class_border_shows_on_exactly_the_sides_without_a_neighbour(self):
        lines = {"W": lambda t: column(t, 0), "E": lambda t: column(t, -1), "N": lambda t: t[0], "S": lambda t: t[-1]}
        # h 0: a neighbour east only, 1: both sides, 2: west only, 3: none; v alike from the north.
        neighbours = {(0, "E"), (1, "W"), (1, "E"), (2, "W")}
        for number, (column0, row0, _, _) in terrain.CLASSES.items():
            inner = self.cells[(column0 + 1) * 16 + row0 + 1]
            for h in range(4):
                for v in range(4):
                    texels = self.cells[(column0 + h) * 16 + row0 + v]
                    for side, line in lines.items():
                        middle, plain = list(line(texels))[6:10], list(line(inner))[6:10]
                        self.assertEqual(middle == plain, ((h, side) in neighbours or
                                                           (v, {"N": "W", "S": "E"}.get(side)) in neighbours),
                                         "class %d cell h %d v %d side %s" % (number, h, v, side))


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

    def test_the_siren_rises_and_the_unsiren_falls(self):
        def crossings(part):
            return sum((a < 0) != (b < 0) for a, b in zip(part, part[1:]))
        for name, rises in (("SIREN", True), ("UNSIREN", False)):
            s = self.samples[name]
            first, second = crossings(s[:len(s) // 2]), crossings(s[len(s) // 2:])
            self.assertGreater(second if rises else first, 1.5 * (first if rises else second), name)


if __name__ == "__main__":
    unittest.main()
