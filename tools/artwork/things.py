"""The atlases of things on the map: OBJECTS_16 (the stores, the target indicator, the square
outline and the objects the server places), PAINTBALLS_16, SPLATS_16, JETTRAILS_16, WALLS_16
and SATELLITE_16. Every sprite keeps at least one texel of magenta on each side of its cell.
"""
import math

from .canvas import CELL, disc, ellipse, line, outline, polygon, seeded, shade, sprite

INK = (24, 22, 28)

# Sixteen paints: a paintball and a splat of each, by cell.
PAINTS = [(220, 30, 30), (30, 100, 230), (40, 190, 50), (250, 220, 30), (250, 130, 20), (150, 50, 210),
          (30, 210, 220), (250, 110, 170), (245, 245, 245), (60, 60, 70), (130, 80, 40), (170, 240, 40),
          (20, 40, 130), (200, 40, 120), (20, 130, 110), (150, 150, 150)]


# ---- Paintballs and splats -------------------------------------------------------------------
def paintball(colour):
    def paint(c):
        disc(c, 8, 8, 3.2, shade(colour, 0.6))
        disc(c, 7.6, 7.6, 2.6, colour)
        c.put(6, 6, shade(colour, 1.6))
        c.put(7, 6, shade(colour, 1.3))
        outline(c, INK)
    return paint


def splat(colour, cell):
    """A flat blot of paint: a body with lobes, a wet shine and droplets flung around it."""
    def paint(c):
        rng = seeded("splat", cell)
        blob = [(8.0, 8.0, 3.4)]
        start = rng.unit() * 2 * math.pi
        for i in range(6):  # lobes around the middle
            a = start + i * math.pi / 3 + 0.5 * rng.signed()
            d = 2.4 + 1.2 * rng.unit()
            blob.append((8 + d * math.cos(a), 8 + d * math.sin(a), 1.4 + 1.0 * rng.unit()))
        for cx, cy, r in blob:
            disc(c, cx, cy, r + 0.6, shade(colour, 0.7))
        for cx, cy, r in blob:
            disc(c, cx, cy, r, colour)
        for _ in range(6):  # droplets
            a = rng.unit() * 2 * math.pi
            d = 5.4 + 0.9 * rng.unit()
            x, y = int(8 + d * math.cos(a)), int(8 + d * math.sin(a))
            c.put(x, y, shade(colour, 0.85))
        c.put(6, 6, shade(colour, 1.5)), c.put(7, 6, shade(colour, 1.3)), c.put(6, 7, shade(colour, 1.3))
    return paint


# ---- Trails ----------------------------------------------------------------------------------
def trail(direction, big):
    """A streak of smoke, thick at its head and thinning out behind it, along one of eight
    directions."""
    def paint(c):
        a = direction * math.pi / 4
        dx, dy = math.cos(a), -math.sin(a)
        head = 2.6 if big else 1.9
        for i in range(6):
            t = i / 5
            cx, cy = 8 + dx * (3.5 - 8 * t), 8 + dy * (3.5 - 8 * t)
            r = head * (1 - 0.65 * t)
            disc(c, cx, cy, r, shade((214, 216, 222), 1 - 0.25 * t))
        for i in range(3):
            t = i / 5
            disc(c, 8 + dx * (3.5 - 8 * t) - 0.5, 8 + dy * (3.5 - 8 * t) - 0.5, head * 0.45 * (1 - t), (250, 250, 252))
    return paint


# ---- Walls -----------------------------------------------------------------------------------
STONE, MORTAR = (150, 146, 140), (96, 92, 88)


def wall(mask):
    """A stone wall post with arms towards the sides in mask (1 north, 2 east, 4 south, 8 west)."""
    def paint(c):
        parts = [(5, 5, 10, 10)]
        if mask & 1:
            parts.append((5, 1, 10, 5))
        if mask & 2:
            parts.append((10, 5, 14, 10))
        if mask & 4:
            parts.append((5, 10, 10, 14))
        if mask & 8:
            parts.append((1, 5, 5, 10))
        for x0, y0, x1, y1 in parts:
            for y in range(y0, y1 + 1):
                for x in range(x0, x1 + 1):
                    joint = y % 3 == 0 or (x + (4 if (y // 3) % 2 else 0)) % 6 == 0
                    c.put(x, y, MORTAR if joint else shade(STONE, 1.1 if y % 3 == 1 else 0.95))
    return paint


# ---- The satellite -----------------------------------------------------------------------------
SATELLITE = [
    "..............",
    "..............",
    "..............",
    "......aa......",
    "......a.......",
    "pppp.gGGg.pppp",
    "PPPPwgGGgwPPPP",
    "pppp.gggg.pppp",
    "PPPP.gggg.PPPP",
    "pppp.gggg.pppp",
    "..............",
    "..............",
    "..............",
    "..............",
]


def satellite(quarter):
    """A satellite with its two solar wings, turned clockwise by quarters."""
    def paint(c):
        rows = SATELLITE
        for _ in range(quarter):
            rows = ["".join(rows[13 - x][y] for x in range(14)) for y in range(14)]
        sprite(c, rows, {"a": (200, 200, 210), "p": (40, 80, 180), "P": (80, 130, 220), "g": (210, 170, 40),
                         "G": (250, 220, 90), "w": (120, 120, 130)}, 1, 1)
    return paint


# ---- Objects -----------------------------------------------------------------------------------
FONT = {  # 3 x 5 letters for the stores' signs
    "N": ["#.#", "###", "###", "###", "#.#"], "E": ["###", "#..", "##.", "#..", "###"],
    "W": ["#.#", "#.#", "###", "###", "#.#"], "A": [".#.", "#.#", "###", "#.#", "#.#"],
    "?": ["##.", "..#", ".#.", "...", ".#."],
}


def store(roof, letter):
    """A little shop: a pitched roof in the store's colour over a wall with its letter."""
    def paint(c):
        polygon(c, [(1.5, 7.5), (8, 1.5), (14.5, 7.5)], roof)
        line(c, 2, 7, 8, 2, shade(roof, 1.35))
        c.fill(3, 7, 12, 13, (222, 206, 170))
        c.fill(3, 7, 12, 7, shade(roof, 0.6))
        sprite(c, FONT[letter], {"#": shade(roof, 0.55)}, 4, 8)
        c.fill(9, 10, 11, 13, (110, 70, 40))  # the door
        outline(c, INK)
    return paint


def target(c):
    """The target indicator: a red ring with cross hairs; the square shows through."""
    red = (236, 30, 30)
    for y in range(CELL):
        for x in range(CELL):
            d = math.hypot(x + 0.5 - 8, y + 0.5 - 8)
            if 4.6 <= d <= 6.0:
                c.put(x, y, red)
    for i in (1, 2, 3, 12, 13, 14):
        c.put(i, 7, red), c.put(i, 8, red), c.put(7, i, red), c.put(8, i, red)
    c.put(7, 7, red), c.put(8, 8, red), c.put(7, 8, red), c.put(8, 7, red)


def square_outline(c):
    """The outline of a square: a bright frame inside a dark one."""
    for i in range(1, 15):
        for x, y in ((i, 1), (i, 14), (1, i), (14, i)):
            c.put(x, y, INK)
        if 2 <= i <= 13:
            for x, y in ((i, 2), (i, 13), (2, i), (13, i)):
                c.put(x, y, (255, 236, 60))


def flag(colour):
    def paint(c):
        c.fill(4, 2, 4, 13, (90, 70, 50))
        polygon(c, [(5, 2), (12, 3), (10.5, 5), (12, 7), (5, 7)], colour)
        c.fill(3, 13, 6, 13, (70, 60, 50))
        outline(c, INK)
    return paint


def paint_can(colour):
    def paint(c):
        c.fill(4, 6, 11, 12, (176, 180, 188))
        c.fill(4, 8, 11, 11, colour)
        ellipse(c, 8, 6, 4, 1.6, shade(colour, 0.8))
        c.fill(4, 12, 11, 12, (130, 134, 140))
        line(c, 4, 5, 6, 3, (90, 90, 96)), line(c, 7, 3, 9, 3, (90, 90, 96)), line(c, 10, 3, 11, 5, (90, 90, 96))
        c.put(5, 9, shade(colour, 1.4))
        outline(c, INK)
    return paint


def gem(colour):
    def paint(c):
        polygon(c, [(4, 6), (6, 3.5), (10, 3.5), (12, 6), (8, 12.5)], colour)
        polygon(c, [(4, 6), (12, 6), (8, 12.5)], shade(colour, 0.75))
        c.put(6, 4, shade(colour, 1.6)), c.put(7, 5, shade(colour, 1.4))
        outline(c, INK)
    return paint


def barrel(colour):
    def paint(c):
        ellipse(c, 8, 8, 4.2, 5.5, colour)
        for y in (4, 11):
            c.fill(4, y, 11, y, (70, 70, 76))
        c.fill(5, 5, 5, 10, shade(colour, 1.3))
        outline(c, INK)
    return paint


def crate(wood):
    def paint(c):
        c.fill(3, 3, 12, 12, wood)
        for i in range(3, 13):
            c.put(i, i, shade(wood, 0.65)), c.put(3, i, shade(wood, 0.8)), c.put(12, i, shade(wood, 0.8))
            c.put(i, 3, shade(wood, 1.2)), c.put(i, 12, shade(wood, 0.7))
        outline(c, INK)
    return paint


def drawing(rows, palette):
    def paint(c):
        sprite(c, rows, palette, 2, 2)
        outline(c, INK)
    return paint


PINE = drawing([
    ".....gg.....", "....gggg....", "....gGgg....", "...gggggg...", "...gGggggg..", "..gggggggg..",
    "..gGgggggg..", ".gggggggggg.", ".ggggggggGg.", "gggggggggggg", ".....tt.....", ".....tt.....",
], {"g": (30, 100, 40), "G": (70, 150, 60), "t": (110, 70, 40)})
TREE = drawing([
    "...gggggg...", "..gGGggggg..", ".gGGgggggGg.", ".gggggggggg.", "ggggggggGggg", "gggggggggggg",
    ".gggggggggg.", "..gggggggg..", "...ggtggg...", ".....tt.....", ".....tt.....", "....tttt....",
], {"g": (50, 130, 50), "G": (110, 180, 80), "t": (110, 70, 40)})
BUSH = drawing([
    "............", "............", "............", "....gggg....", "..ggGGgggg..", ".gGGgggggrg.",
    ".gggggrggggg", "gggrgggggggg", "gggggggGgggg", ".gggggggggg.", "..gggggggg..", "............",
], {"g": (40, 120, 40), "G": (90, 170, 70), "r": (220, 40, 50)})
ROCK = drawing([
    "............", "............", "............", "....rrrr....", "...rRRrrr...", "..rRrrrrrr..",
    ".rrrrrrrrdr.", ".rrrrrrrddr.", "rrrrrrrdddrr", "rrrrrrrrrrrr", ".dddddddddd.", "............",
], {"r": (140, 136, 130), "R": (190, 186, 180), "d": (96, 92, 88)})
STUMP = drawing([
    "............", "............", "............", "............", "...tttttt...", "..tTTTTTTt..",
    "..tTtttTTt..", "..tTTTTTTt..", "..bttttttb..", "..bbbbbbbb..", ".bbb.bb.bbb.", "............",
], {"t": (150, 110, 70), "T": (200, 160, 110), "b": (100, 66, 38)})
CONE = drawing([
    "............", ".....oo.....", ".....oo.....", "....oooo....", "....wwww....", "...oooooo...",
    "...oooooo...", "..wwwwwwww..", "..oooooooo..", ".oooooooooo.", "kkkkkkkkkkkk", "............",
], {"o": (250, 120, 20), "w": (250, 250, 250), "k": (50, 50, 56)})
HEALTH = drawing([
    "............", "....kkkk....", "...k....k...", "wwwwwwwwwwww", "wwwwwrrwwwww", "wwwwwrrwwwww",
    "wwwrrrrrrwww", "wwwrrrrrrwww", "wwwwwrrwwwww", "wwwwwrrwwwww", "gggggggggggg", "............",
], {"k": (90, 90, 96), "w": (246, 246, 246), "r": (220, 30, 40), "g": (190, 190, 196)})
AMMO = drawing([
    "............", "............", "...r..b..y..", "..rrrbbbyyy.", "...r..b..y..", "oooooooooooo",
    "oOOOOOOOOOOo", "oOOOOOOOOOOo", "oOOoooooOOOo", "oOOOOOOOOOOo", "oooooooooooo", "............",
], {"r": (220, 30, 30), "b": (30, 100, 230), "y": (250, 220, 30), "o": (80, 90, 50), "O": (110, 124, 70)})
GRENADE = drawing([
    "............", ".....kk.....", "....k..k....", "....kkkk.k..", "...gggggg...", "..gGgggggg..",
    "..gggkkggg..", "..gggggggg..", "..ggkkkkgg..", "..gggggggg..", "...gggggg...", "............",
], {"k": (80, 80, 86), "g": (70, 110, 60), "G": (130, 170, 110)})
PISTOL = drawing([
    "............", "............", "....hhhh....", "....hHHh....", "kkkkkkkkkkk.", "kGGGGGGGGGk.",
    "kkkkkkkkkkk.", ".......kkk..", "......kkkk..", "......kkk...", ".....kkkk...", "............",
], {"k": (60, 62, 70), "G": (130, 134, 144), "h": (30, 100, 230), "H": (100, 160, 250)})
COIN = drawing([
    "............", "....yyyy....", "..yyYYYYyy..", "..yYyyyyYy..", ".yYyyddyyYy.", ".yYyydyyyYy.",
    ".yYyyddyyYy.", ".yYyyydyyYy.", ".yYyyddyyYy.", "..yYyyyyYy..", "..yyYYYYyy..", "....yyyy....",
], {"y": (230, 180, 30), "Y": (255, 230, 110), "d": (170, 120, 10)})
KEY = drawing([
    "............", "............", "..yyy.......", ".y...y......", ".y...yyyyyyy", ".y...y..y.y.",
    "..yyy...y.y.", "............", "............", "............", "............", "............",
], {"y": (240, 200, 40)})
STAR = drawing([
    ".....yy.....", ".....yy.....", "....yyyy....", "yyyyyYYyyyyy", ".yyyyYYyyyy.", "..yyyyyyyy..",
    "...yyyyyy...", "...yyyyyy...", "..yyy..yyy..", "..yy....yy..", ".yy......yy.", "............",
], {"y": (250, 210, 30), "Y": (255, 250, 180)})
HEART = drawing([
    "............", "............", ".rrr....rrr.", "rrWrr..rrrrr", "rWrrrrrrrrrr", "rrrrrrrrrrrr",
    ".rrrrrrrrrr.", "..rrrrrrrr..", "...rrrrrr...", "....rrrr....", ".....rr.....", "............",
], {"r": (220, 30, 60), "W": (255, 200, 210)})
SHIELD = drawing([
    "............", "ssssssssssss", "sbbbbbbwbbbs", "sbbbbbbwbbbs", "sbbbbbbwbbbs", "swwwwwwwwwws",
    "sbbbbbbwbbbs", ".sbbbbbwbbs.", ".sbbbbbwbbs.", "..sbbbbwbs..", "...sbbbws...", ".....ss.....",
], {"s": (190, 190, 200), "b": (40, 80, 180), "w": (240, 240, 240)})
CHEST = drawing([
    "............", "............", "...bbbbbb...", "..bBBBBBBb..", ".bBBBBBBBBb.", "yyyyyyyyyyyy",
    "bbbbbykbbbbb", "bBBBByyBBBBb", "bBBBBBBBBBBb", "bBBBBBBBBBBb", "yyyyyyyyyyyy", "............",
], {"b": (100, 60, 30), "B": (150, 96, 50), "y": (220, 180, 40), "k": (40, 30, 20)})
BOMB = drawing([
    "........y...", ".......yOy..", "......k.y...", ".....k......", "...kkkkk....", "..kKkkkkk...",
    ".kKkkkkkkk..", ".kkkkkkkkk..", ".kkkkkkkkk..", ".kkkkkkkkk..", "..kkkkkkk...", "...kkkkk....",
], {"k": (40, 40, 48), "K": (120, 120, 136), "y": (250, 220, 60), "O": (250, 120, 20)})
MUSHROOM = drawing([
    "............", "............", "...rrrrrr...", "..rrwrrrrr..", ".rrrrrrwrrr.", ".rwrrrrrrrr.",
    "rrrrrrrrrrrr", "....wwww....", "....wwww....", "....wwww....", "...wwwwww...", "............",
], {"r": (210, 40, 40), "w": (240, 230, 210)})
LANTERN = drawing([
    ".....kk.....", "....k..k....", "...kkkkkk...", "...kyyyyk...", "...kyYYyk...", "...kyYYyk...",
    "...kyyyyk...", "...kkkkkk...", "....kkkk....", "............", "............", "............",
], {"k": (50, 50, 56), "y": (250, 200, 60), "Y": (255, 250, 200)})
SIGNPOST = drawing([
    "............", "wwwwwwwwww..", "wWWWWWWWWWw.", "wwwwwwwwwwwW", "wWWWWWWWWWw.", "wwwwwwwwww..",
    "....tt......", "....tt......", "....tt......", "....tt......", "....tt......", "...tttt.....",
], {"w": (170, 120, 70), "W": (110, 74, 40), "t": (110, 74, 40)})
TENT = drawing([
    "............", ".....tt.....", "....tggt....", "...tggggt...", "...gggggg...", "..ggggkggg..",
    "..gggkkkgg..", ".gggkkkkggg.", ".ggkkkkkkgg.", "gggkkkkkkggg", "tttttttttttt", "............",
], {"g": (90, 130, 60), "t": (60, 90, 40), "k": (30, 40, 20)})
FENCE = drawing([
    "............", "............", ".w...w...w..", "www.www.www.", "www.www.www.", "wwwwwwwwwwww",
    "www.www.www.", "www.www.www.", "wwwwwwwwwwww", "www.www.www.", "www.www.www.", "............",
], {"w": (200, 170, 120)})
BENCH = drawing([
    "............", "............", "............", "............", "bbbbbbbbbbbb", "BBBBBBBBBBBB",
    "bbbbbbbbbbbb", "BBBBBBBBBBBB", ".k........k.", ".k........k.", ".k........k.", "............",
], {"b": (160, 110, 60), "B": (120, 80, 44), "k": (60, 60, 66)})
TROPHY = drawing([
    "............", "yyyyyyyyyyyy", "yYYyyyyyyyyy", ".yYyyyyyyyy.", "..yyyyyyyy..", "...yyyyyy...",
    ".....yy.....", ".....yy.....", "....yyyy....", "...kkkkkk...", "...kkkkkk...", "............",
], {"y": (240, 190, 30), "Y": (255, 240, 150), "k": (90, 60, 40)})
TYRES = drawing([
    "............", "...kkkkkk...", "..kKkkkkKk..", "..kk....kk..", "..kKkkkkKk..", "...kkkkkk...",
    "...kkkkkk...", "..kKkkkkKk..", "..kk....kk..", "..kKkkkkKk..", "...kkkkkk...", "............",
], {"k": (40, 40, 44), "K": (90, 90, 96)})
SANDBAGS = drawing([
    "............", "............", "............", "............", "...ssss.....", "..sSSSSs.ss.",
    "..ssssssSSs.", ".sssssssssss", "sSSSSs.sSSSs", "ssssssssssss", ".ssssssssss.", "............",
], {"s": (170, 150, 100), "S": (200, 184, 136)})


def helmet(colour):
    return drawing([
        "............", "............", "............", "....hhhh....", "..hhHHhhhh..", ".hHHhhhhhhh.",
        ".hhhhhhhhhh.", "hhhhhhhhhhhh", "hhgGGgggggkk", "..gGGggggg..", "..gggggggg..", "............",
    ], {"h": colour, "H": shade(colour, 1.4), "g": (40, 40, 46), "G": (150, 220, 250), "k": (40, 40, 46)})


STORES = {0: store((60, 170, 60), "N"), 8: store((40, 100, 220), "E"), 16: store((220, 40, 40), "W"),
          24: store((240, 140, 20), "A"), 21: store((90, 40, 120), "?")}
FIXED = {**STORES, 25: target, 26: square_outline}
ITEMS = ([flag(p) for p in PAINTS[:8]] + [paint_can(p) for p in PAINTS[:8]] + [gem(p) for p in PAINTS[:6]]
         + [barrel(p) for p in ((200, 40, 40), (40, 90, 200), (60, 130, 60), (90, 90, 96))]
         + [crate((170, 120, 70)), crate((120, 130, 140))]
         + [PINE, TREE, BUSH, ROCK, STUMP, CONE, HEALTH, AMMO, helmet((220, 30, 30)), helmet((30, 100, 230)),
            GRENADE, PISTOL, COIN, KEY, STAR, HEART, SHIELD, CHEST, BOMB, MUSHROOM, LANTERN, SIGNPOST, TENT,
            FENCE, BENCH, TROPHY, TYRES, SANDBAGS, gem(PAINTS[6]), gem(PAINTS[7]), flag(PAINTS[8])])


# The painters of each atlas's cells, by cell number.
def objects():
    items = iter(ITEMS)
    return [FIXED.get(cell) or next(items) for cell in range(64)]


def paintballs():
    return [paintball(p) for p in PAINTS]


def splats():
    return [splat(p, i) for i, p in enumerate(PAINTS)]


def trails():
    return [trail(d, big) for big in (True, False) for d in range(8)]


def walls():
    return [wall(mask) for mask in range(16)]


def satellites():
    return [satellite(q) for q in range(4)]
