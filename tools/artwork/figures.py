"""The players' and the bots' atlases: PLAYERS_16 (256 x 256) and BOTS_16 (64 x 64).

A player is a small figure in a paint mask, its marker held out to the west (the renderer
mirrors the cell for a player who last moved east). Column K of PLAYERS_16 holds kind K's
sixteen level bands (the own player, then the kinds of the other players), the kind in the
colour of its clothes, the band in the metal of the helmet (cloth, bronze, silver, gold for
each four bands) and one to three stripes on the back within the four. Column 4 holds the
special figures: the staff in black with a gold star, the highest levels crowned, level 85
with a laurel. The other columns are figures in further colours that nothing draws.

Bots are machines, not people: four builds (drone, tank, walker, spider) in four finishes.
"""
from .canvas import MAGENTA, outline, shade, sprite

INK = (24, 22, 28)

# The figure, twelve texels a side, drawn from (2, 2). Keys: H/h helmet (edge, top), g/G goggle
# frame and lens, s skin, b/B clothes (light, shaded), w marker, l legs, k boots.
FIGURE = [
    "....HHHH....",
    "...HhhhhH...",
    "..gGGhhhhH..",
    "..gGGssshH..",
    "....sssss...",
    "...bbbbbbB..",
    "wwwwsbbbbbB.",
    ".wp.sbbbbbB.",
    "....bbbbbB..",
    "....bbbbbB..",
    "....ll.ll...",
    "...kkk.kkk..",
]
CROWN = ["h.h.h.h", "hhhhhhh"]  # in place of the helmet's top two rows, from x = 3
STRIPE_ROWS = (5, 7, 9)  # back stripes, texels 7 to 9 of the figure's rows
STAR = [".y.", "yyy", ".y."]  # the staff badge, on the chest

# Clothes by kind: the own player blue, the kinds of the other players red, purple and yellow.
KIND_COLOURS = [(40, 96, 224), (212, 44, 44), (146, 64, 200), (232, 188, 32)]
# Helmet metal of each four level bands: cloth (the clothes' shade), bronze, silver, gold.
METALS = [None, (184, 112, 52), (196, 200, 210), (250, 210, 40)]
SKIN = (240, 196, 156)
MARKER = (128, 132, 142)
LENS = (150, 220, 250)


def figure(canvas, clothes, helmet, stripes=0, star=False, crown=None, laurel=False, legs=(88, 92, 116)):
    helmet = helmet or shade(clothes, 0.55)
    palette = {
        "H": shade(helmet, 0.7), "h": helmet, "g": (30, 30, 34), "G": LENS, "s": SKIN,
        "b": clothes, "B": shade(clothes, 0.65), "w": MARKER, "p": shade(clothes, 1.3), "l": legs, "k": (36, 30, 26),
    }
    sprite(canvas, FIGURE, palette, 2, 2)
    for row in STRIPE_ROWS[:stripes]:
        for x in (7, 8, 9):
            canvas.put(2 + x, 2 + row, (250, 250, 245))
    if star:
        sprite(canvas, STAR, {"y": (255, 214, 0)}, 2 + 5, 2 + 6)
    if crown:
        for x in range(3, 10):  # the helmet's top gives way to the crown
            for y in (0, 1):
                canvas.put(2 + x, 2 + y, MAGENTA)
        sprite(canvas, CROWN, {"h": crown}, 2 + 3, 2)
        canvas.put(2 + 6, 2 + 1, (220, 30, 60))  # the crown's jewel
    if laurel:
        for x, y in ((3, 2), (4, 1), (8, 1), (9, 2), (10, 3)):
            canvas.put(2 + x, 2 + y - 1, (60, 170, 60))
    outline(canvas, INK)


def hue(i, count):
    """A clear colour around the colour wheel."""
    h = (i / count) * 6
    k = int(h) % 6
    f = h - int(h)
    lo, hi = 50, 230
    up, down = lo + (hi - lo) * f, hi - (hi - lo) * f
    r, g, b = [(hi, up, lo), (down, hi, lo), (lo, hi, up), (lo, down, hi), (up, lo, hi), (hi, lo, down)][k]
    return (int(r), int(g), int(b))


def band(canvas, clothes, level_band):
    figure(canvas, clothes, METALS[level_band // 4], stripes=level_band % 4)


# Column 4: cell: (clothes, helmet, extras).
STAFF = {64: (255, 255, 255), 65: (80, 220, 230), 66: (250, 130, 200), 68: (250, 150, 40)}
CROWNED = {67: (120, 40, 160), 69: (30, 130, 130), 70: (170, 40, 80), 71: (40, 60, 150), 72: (150, 90, 30), 73: (70, 120, 50)}


def special(canvas, cell):
    if cell in STAFF:
        figure(canvas, (44, 44, 52), STAFF[cell], star=True, legs=(30, 30, 36))
    elif cell in CROWNED:
        figure(canvas, CROWNED[cell], (250, 210, 40), stripes=3, crown=(250, 210, 40))
    elif 74 <= cell <= 77:  # level 85, by kind
        figure(canvas, KIND_COLOURS[cell - 74], METALS[3], stripes=3, laurel=True)
    else:
        band(canvas, (200, 200, 200), cell - 64)


def player(cell):
    column, row = divmod(cell, 16)
    if column < 4:
        return lambda c: band(c, KIND_COLOURS[column], row)
    if column == 4:
        return lambda c: special(c, cell)
    return lambda c: band(c, hue(column - 5, 11), row)


def players():
    """The painters of the cells, by cell number."""
    return [player(cell) for cell in range(256)]


# ---- Bots ----------------------------------------------------------------------------------
# Keys: M/m metal (edge, face), E visor, e eye, a antenna light, t/T legs and feet, r treads.
BOT_BUILDS = [
    [  # drone on three legs
        ".....a......",
        ".....t......",
        "...MMMMMM...",
        "..MmmmmmmM..",
        "..MEEEEEEM..",
        "..MEeeEEEM..",
        "..MmmmmmmM..",
        "...MMMMMM...",
        "...t.tt.t...",
        "..t..tt..t..",
        ".TT..TT..TT.",
        "............",
    ],
    [  # tank on treads
        "............",
        "....MMMM....",
        "...MmEEmM...",
        "...MmEemM...",
        "wwwwMmmmM...",
        "..MMMMMMMMM.",
        ".MmmmmmmmmmM",
        ".MmmmmmmmmmM",
        ".rrrrrrrrrr.",
        "rRrRrRrRrRrr",
        ".rrrrrrrrrr.",
        "............",
    ],
    [  # walker: a head on two long legs
        "..a......a..",
        "..t......t..",
        "..MMMMMMMM..",
        ".MmEEEEEEmM.",
        ".MmEeeEEEmM.",
        ".MmmmmmmmmM.",
        "..MMMMMMMM..",
        "...t....t...",
        "...t....t...",
        "..t......t..",
        "..t......t..",
        ".TT......TT.",
    ],
    [  # spider: a flat body on four bent legs
        "............",
        "............",
        "....MMMM....",
        "t..MmmmmM..t",
        "t.MmEeeEmM.t",
        ".tMmmmmmmMt.",
        "..MMMMMMMM..",
        ".t.t....t.t.",
        "t..t....t..t",
        "T..T....T..T",
        "............",
        "............",
    ],
]
BOT_FINISHES = [  # metal, eye
    ((150, 158, 170), (240, 40, 30)),
    ((176, 104, 60), (255, 220, 40)),
    ((214, 218, 226), (250, 60, 200)),
    ((78, 82, 96), (60, 220, 250)),
]


def bot(canvas, build, finish):
    metal, eye = BOT_FINISHES[finish]
    palette = {"M": shade(metal, 0.6), "m": metal, "E": (20, 22, 26), "e": eye, "a": eye,
               "t": shade(metal, 0.5), "T": shade(metal, 0.35), "w": (60, 60, 66),
               "r": (40, 40, 44), "R": (96, 96, 100)}
    sprite(canvas, BOT_BUILDS[build], palette, 2, 2)
    outline(canvas, INK)


def bots():
    return [lambda c, cell=cell: bot(c, cell // 4, cell % 4) for cell in range(16)]
