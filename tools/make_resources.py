#!/usr/bin/env python3
"""Makes the client's art and sound resources: the sprite atlases, the effect and ambience
sounds, the scanner, targeting and tool-bar pictures and the two map cursors.

Everything is drawn from tables in this file: no clock, fixed header fields and a fixed-seed
xorshift for noise, so every run writes the same bytes. The output folder receives the files
and "Art.rc", which names them for the resource compiler; "resources.sha256" beside this
script lists what every file must hash to (--check compares, --write-manifest rewrites it).

Usage: make_resources.py OUTDIR [--check | --write-manifest]
"""
import hashlib
import math
import os
import struct
import sys

MAGENTA = (255, 0, 255)
MANIFEST = os.path.join(os.path.dirname(os.path.abspath(__file__)), "resources.sha256")


class XorShift:
    """xorshift32 with a fixed seed: the noise of every picture and sound."""

    def __init__(self, seed=0x2545F491):
        self.state = seed

    def next(self):
        x = self.state
        x ^= (x << 13) & 0xFFFFFFFF
        x ^= x >> 17
        x ^= (x << 5) & 0xFFFFFFFF
        self.state = x
        return x

    def below(self, n):
        return self.next() % n


class Picture:
    """A picture of RGB triples, top row first."""

    def __init__(self, width, height, fill):
        self.width, self.height = width, height
        self.rows = [[fill] * width for _ in range(height)]

    def put(self, x, y, colour):
        self.rows[y][x] = colour

    def fill(self, x0, y0, x1, y1, colour):
        """Fills columns x0..x1 and rows y0..y1, both inclusive."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.rows[y][x] = colour

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


# ---- Sprite atlases -------------------------------------------------------------------------
# slot, resource name, pixel size, colour key (False: terrain, drawn opaque)
ATLASES = [
    (0, "TERRAIN_16", 256, False),
    (1, "OBJECTS_16", 128, True),
    (2, "PLAYERS_16", 256, True),
    (3, "BOTS_16", 64, True),
    (4, "JETTRAILS_16", 64, True),
    (5, "PAINTBALLS_16", 64, True),
    (6, "SPLATS_16", 64, True),
    (7, "WALLS_16", 64, True),
    (8, "SATELLITE_16", 32, True),
]


def code_colour(slot, column, row):
    """The colour of a cell's code block: pixel checks find a cell by it."""
    return (8 + 16 * column, 8 + 16 * row, 32 + 24 * slot)


def atlas(slot, size, keyed, noise):
    n = size // 16
    pic = Picture(size, size, MAGENTA)
    for k in range(n * n):
        column, row = k // n, k % n
        x0, y0 = 16 * column, 16 * row
        code = code_colour(slot, column, row)
        if keyed:
            # The body: a grey with noise (never near magenta), three pixels in from each edge.
            for y in range(3, 13):
                for x in range(3, 13):
                    v = 96 + noise.below(64)
                    pic.put(x0 + x, y0 + y, (v, v, v))
            if slot == 2:  # players face west: their marker is on the west side
                pic.fill(x0 + 3, y0 + 6, x0 + 4, y0 + 9, (0, 0, 0))
        else:
            pic.fill(x0 + 2, y0 + 2, x0 + 13, y0 + 13, code)
        pic.fill(x0 + 6, y0 + 6, x0 + 9, y0 + 9, code)
    return pic


# ---- Sounds -------------------------------------------------------------------------------
# resource name, sample rate, tone in Hz, length in seconds, loop
SOUNDS = [
    ("FIRE", 22050, 700, 0.30, False),
    ("BOUNCE", 11025, 800, 0.25, False),
    ("SPLAT", 11025, 900, 0.30, False),
    ("SIREN", 11025, 1000, 0.80, False),
    ("UNSIREN", 11025, 1100, 0.80, False),
    ("STEP", 11025, 1200, 0.12, False),
    ("WATER", 8000, 1300, 0.12, False),
    ("RELEASE", 6000, 1400, 0.50, False),
    ("THROW", 11025, 1500, 0.25, False),
    ("BUY", 11025, 1600, 0.30, False),
    ("HITYOU", 22050, 1700, 0.40, False),
    ("SNOW", 22050, 1800, 0.12, False),
    ("THUNDER", 11025, 1900, 1.00, False),
    ("RAIN", 22050, 2000, 2.00, True),
    ("WIND", 11025, 2100, 2.00, True),
]


def wave(rate, tone, seconds, loop, noise):
    """16-bit PCM mono with only "fmt " and "data". A loop holds whole cycles of its tone and
    keeps its loudness to the end; an effect fades in and out over 5 ms."""
    count = round(rate * seconds)
    if loop:
        assert (count * tone) % rate == 0, "a loop must hold whole cycles"
    fade = rate // 200
    samples = bytearray()
    for i in range(count):
        level = 1.0 if loop else min(1.0, i / fade, (count - 1 - i) / fade)
        hiss = (noise.below(2001) - 1000) * 3 if loop else 0
        value = int(round(12000 * level * math.sin(2 * math.pi * tone * i / rate))) + hiss
        samples += struct.pack("<h", value)
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate * 2, 2, 16)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(samples)) + samples
    return b"RIFF" + struct.pack("<I", len(body)) + body


# ---- Pictures of the main window and the game window ----------------------------------------
# Arrows as 16 x 16 masks pointing north and north-east; the other directions turn them.
ARROW_NORTH = [
    "................",
    ".......##.......",
    "......####......",
    ".....######.....",
    "....########....",
    "...##########...",
    "......####......",
    "......####......",
    "......####......",
    "......####......",
    "......####......",
    "......####......",
    "......####......",
    "......####......",
    "................",
    "................",
]
ARROW_NORTH_EAST = [
    "................",
    "................",
    "......########..",
    ".......#######..",
    "........######..",
    ".......#######..",
    "......########..",
    ".....#####.###..",
    "....#####...##..",
    "...#####........",
    "..#####.........",
    ".#####..........",
    "..###...........",
    "...#............",
    "................",
    "................",
]
TARGET_OFF = [
    "................",
    "................",
    ".....######.....",
    "....##....##....",
    "...##......##...",
    "..##......###...",
    "..#......###.#..",
    "..#.....###..#..",
    "..#....###...#..",
    "..#...###....#..",
    "...#.###....##..",
    "...####....##...",
    "....##....##....",
    ".....######.....",
    "................",
    "................",
]
# The tool-bar images of the game window: information, players, teams.
GAME_INFO = [
    "................",
    ".......##.......",
    ".......##.......",
    "................",
    "......###.......",
    ".......##.......",
    ".......##.......",
    ".......##.......",
    ".......##.......",
    ".......##.......",
    ".......##.......",
    "......####......",
    "................",
    "................",
    "................",
    "................",
]
GAME_PLAYERS = [
    "................",
    "......####......",
    ".....######.....",
    ".....######.....",
    "......####......",
    "....########....",
    "...##########...",
    "...##.####.##...",
    "...##.####.##...",
    "......####......",
    "......#..#......",
    "......#..#......",
    "......#..#......",
    ".....##..##.....",
    "................",
    "................",
]
GAME_TEAMS = [
    "................",
    "..###.....###...",
    ".#####...#####..",
    "..###.....###...",
    ".#####...#####..",
    "#######.#######.",
    "#.###.#.#.###.#.",
    "..###.....###...",
    "..#.#.....#.#...",
    "..#.#.....#.#...",
    ".##.##...##.##..",
    "................",
    "................",
    "................",
    "................",
    "................",
]


def turn(mask):
    """The mask turned a quarter clockwise."""
    size = len(mask)
    return ["".join(mask[size - 1 - x][y] for x in range(size)) for y in range(size)]


def turned(mask, quarters):
    for _ in range(quarters):
        mask = turn(mask)
    return mask


# Direction name: (mask, quarter turns clockwise).
DIRECTIONS = {
    "North": (ARROW_NORTH, 0), "NorthEast": (ARROW_NORTH_EAST, 0), "East": (ARROW_NORTH, 1),
    "SouthEast": (ARROW_NORTH_EAST, 1), "South": (ARROW_NORTH, 2), "SouthWest": (ARROW_NORTH_EAST, 2),
    "West": (ARROW_NORTH, 3), "NorthWest": (ARROW_NORTH_EAST, 3),
}
# The scanner displays: dark ("b") and lit ("r") pictures, background and arrow colours.
SCANNER_LOOKS = {"b": ((64, 64, 64), (112, 112, 112)), "r": ((208, 0, 0), (255, 120, 120))}
# The targeting buttons by index: directions of the 3 x 3 grid, index 8 the centre ("off").
TARGET_BUTTONS = ["NorthWest", "North", "NorthEast", "West", "East", "SouthWest", "South", "SouthEast", None]
BUTTON_FACE, ARROW_INK = (212, 208, 200), (0, 0, 0)
GAME_TOOLBAR = [("GAME_INFO", GAME_INFO, (0, 64, 160)), ("GAME_PLAYERS", GAME_PLAYERS, (0, 112, 0)),
                ("GAME_TEAMS", GAME_TEAMS, (160, 64, 0))]


# Small pictures of the feature windows: strips of 16 x 16 cells, magenta around each picture,
# one cell per image of a window's image list.
# The vote window's games: 1 the game voted for (green), 2 a hated game (red), 3 any other (grey).
VOTE_ICONS = [(0, 176, 0), (208, 0, 0), (192, 192, 192)]
DISC_EDGE = (64, 64, 64)


def disc_strip(colours):
    """A disc of each colour with a dark edge, one to a cell."""
    pic = Picture(16 * len(colours), 16, MAGENTA)
    for cell, colour in enumerate(colours):
        for y in range(16):
            for x in range(16):
                d = (x - 7.5) ** 2 + (y - 7.5) ** 2
                if d <= 6.5 ** 2:
                    pic.put(16 * cell + x, y, colour if d <= 5.5 ** 2 else DISC_EDGE)
    return pic


# The team window's ranks, General to Private: officers' bars in gold, the others' in green,
# one bar fewer for each rank down.
RANK_INKS = ((200, 160, 0), (0, 120, 40))


def rank_strip():
    """Eight pictures of bars, from eight (General) to one (Private)."""
    pic = Picture(16 * 8, 16, MAGENTA)
    for cell in range(8):
        ink = RANK_INKS[0 if cell < 5 else 1]
        for bar in range(8 - cell):
            for x in range(2, 14):
                pic.put(16 * cell + x, 15 - 2 * bar - 1, ink)
    return pic


def mask_picture(mask, background, ink):
    pic = Picture(16, 16, background)
    for y, row in enumerate(mask):
        for x, c in enumerate(row):
            if c == "#":
                pic.put(x, y, ink)
    return pic


# The profile window's award icons: 24 x 24 medals in the award table's order, for each award
# its Emerald (green), Gold (yellow) and Ruby (red) tier. The award's number (1 to 8) shows as
# three white or dark marks on the medal, read as a binary number.
AWARD_TIERS = [(0, 168, 72), (232, 200, 0), (200, 0, 40)]
AWARD_COUNT = 8
RIBBON = (40, 64, 160)


def award_strip():
    pic = Picture(24 * AWARD_COUNT * len(AWARD_TIERS), 24, MAGENTA)
    for award in range(AWARD_COUNT):
        for tier, colour in enumerate(AWARD_TIERS):
            x0 = 24 * (len(AWARD_TIERS) * award + tier)
            pic.fill(x0 + 8, 0, x0 + 15, 7, RIBBON)
            for y in range(24):
                for x in range(24):
                    d = (x - 11.5) ** 2 + (y - 14.5) ** 2
                    if d <= 8.5 ** 2:
                        pic.put(x0 + x, y, colour if d <= 7.5 ** 2 else DISC_EDGE)
            for bit in range(3):
                mark = (255, 255, 255) if (award + 1) >> (2 - bit) & 1 else DISC_EDGE
                pic.fill(x0 + 6 + 4 * bit, 13, x0 + 8 + 4 * bit, 15, mark)
    return pic


# The tip window's light bulb (on the white of its picture area) and the About window's
# pictures: the arena under fire, and the pointing finger of the hidden joke.
LIGHT_BULB = [
    "................",
    "......####......",
    "....##oooo##....",
    "...#oooooooo#...",
    "...#oooooooo#...",
    "..#oooooooooo#..",
    "..#oooooooooo#..",
    "..#oooooooooo#..",
    "...#oooooooo#...",
    "....#oooooo#....",
    ".....#oooo#.....",
    "......####......",
    "......####......",
    "......####......",
    ".......##.......",
    "................",
]
FINGER = [
    "................",
    "................",
    "................",
    "................",
    "......#####.....",
    "#######ooooo#...",
    "#oooooooooooo#..",
    "#######oooooo#..",
    "......#oooooo#..",
    "......#ooooo#...",
    "......#ooooo#...",
    ".......#####....",
    "................",
    "................",
    "................",
    "................",
]
BULB_LIGHT, BULB_BASE = (255, 232, 64), (128, 128, 128)
WHITE = (255, 255, 255)
SPLAT_COLOURS = [(208, 0, 0), (0, 112, 224), (0, 176, 0), (240, 160, 0)]


def two_ink_picture(mask, background, ink, light, base_rows=()):
    pic = Picture(16, 16, background)
    for y, row in enumerate(mask):
        for x, c in enumerate(row):
            if c == "#":
                pic.put(x, y, BULB_BASE if y in base_rows else ink)
            elif c == "o":
                pic.put(x, y, light)
    return pic


def arena_picture(noise):
    """Grass with splats of the four paint colours."""
    pic = Picture(64, 64, (40, 120, 40))
    for y in range(64):
        for x in range(64):
            v = noise.below(24)
            pic.put(x, y, (32 + v, 104 + v, 32 + v))
    for i, colour in enumerate(SPLAT_COLOURS * 2):
        cx, cy, r = 8 + noise.below(48), 8 + noise.below(48), 4 + noise.below(5)
        for y in range(max(0, cy - r), min(64, cy + r + 1)):
            for x in range(max(0, cx - r), min(64, cx + r + 1)):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    pic.put(x, y, colour)
    return pic


# ---- Cursors of the map picture -------------------------------------------------------------
# 32 x 32 monochrome: "#" black, "o" white, "." transparent. Cursor1 is the map's cross,
# Cursor2 (Shift held) the cross in a box.
def cursor_mask(boxed):
    rows = [["."] * 32 for _ in range(32)]
    for i in range(4, 29):
        if abs(i - 16) > 2:
            rows[16][i] = rows[i][16] = "#"
            rows[15][i] = rows[17][i] = rows[i][15] = rows[i][17] = "o"
    if boxed:
        for i in range(8, 25):
            for a, b in ((i, 8), (i, 24), (8, i), (24, i)):
                rows[a][b] = "#"
    return rows


def cursor(rows, hot_x, hot_y):
    xor = bytearray()
    and_mask = bytearray()
    for row in reversed(rows):
        xbits = abits = 0
        for c in row:
            xbits = (xbits << 1) | (c == "o")
            abits = (abits << 1) | (c == ".")
        xor += struct.pack(">I", xbits)
        and_mask += struct.pack(">I", abits)
    info = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, len(xor) + len(and_mask), 0, 0, 2, 0)
    image = info + bytes((0, 0, 0, 0, 255, 255, 255, 0)) + xor + and_mask
    header = struct.pack("<HHH", 0, 2, 1) + struct.pack("<BBBBHHII", 32, 32, 0, 0, hot_x, hot_y, len(image), 22)
    return header + image


# ---- Output -------------------------------------------------------------------------------
def build():
    """Every file by name, and the lines of Art.rc."""
    noise = XorShift()
    files, rc = {}, []

    def bitmap(name, pic):
        files[name + ".bmp"] = pic.bmp()
        rc.append('%s BITMAP "%s.bmp"' % (name, name))

    for slot, name, size, keyed in ATLASES:
        bitmap(name, atlas(slot, size, keyed, noise))
    for name, rate, tone, seconds, loop in SOUNDS:
        files[name + ".wav"] = wave(rate, tone, seconds, loop, noise)
        rc.append('%s WAVE "%s.wav"' % (name, name))
    for key, (background, ink) in SCANNER_LOOKS.items():
        for direction, (mask, quarters) in DIRECTIONS.items():
            bitmap(key + direction, mask_picture(turned(mask, quarters), background, ink))
    for index, direction in enumerate(TARGET_BUTTONS):
        mask = TARGET_OFF if direction is None else turned(*DIRECTIONS[direction])
        bitmap("TARGET_%d" % index, mask_picture(mask, BUTTON_FACE, ARROW_INK))
    for name, mask, ink in GAME_TOOLBAR:
        bitmap(name, mask_picture(mask, MAGENTA, ink))
    bitmap("VOTE_ICONS", disc_strip(VOTE_ICONS))
    bitmap("AWARD_ICONS", award_strip())
    bitmap("TIP_BULB", two_ink_picture(LIGHT_BULB, WHITE, (96, 80, 0), BULB_LIGHT, base_rows=(11, 12, 13, 14)))
    bitmap("ABOUT_FINGER", two_ink_picture(FINGER, BUTTON_FACE, (0, 0, 0), (255, 208, 160)))
    bitmap("ABOUT_PICTURE", arena_picture(noise))
    bitmap("RANK_ICONS", rank_strip())
    files["Cursor1.cur"] = cursor(cursor_mask(False), 16, 16)
    files["Cursor2.cur"] = cursor(cursor_mask(True), 16, 16)
    files["Art.rc"] = ("// Made by tools/make_resources.py: the art and sounds of the client.\n"
                       + "\n".join(rc) + "\n").encode()
    return files


def manifest_text(files):
    return "".join("%s  %s\n" % (hashlib.sha256(data).hexdigest(), name) for name, data in sorted(files.items()))


def main(argv):
    if len(argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    out = argv[1]
    files = build()
    os.makedirs(out, exist_ok=True)
    for name, data in sorted(files.items(), key=lambda item: item[0] == "Art.rc"):
        path = os.path.join(out, name)
        # Unchanged files keep their time; Art.rc, written last, is always new, so the
        # resource compiler runs again whenever this script has run.
        try:
            with open(path, "rb") as f:
                if f.read() == data and name != "Art.rc":
                    continue
        except OSError:
            pass
        with open(path, "wb") as f:
            f.write(data)
    text = manifest_text(files)
    if "--write-manifest" in argv:
        with open(MANIFEST, "w", newline="\n") as f:
            f.write(text)
    elif "--check" in argv:
        with open(MANIFEST) as f:
            if f.read() != text:
                print("The resources differ from resources.sha256", file=sys.stderr)
                return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
