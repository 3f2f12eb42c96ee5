"""The small pictures of the windows: the scanner's arrows, the targeting buttons, the game
window's tool bar, the vote, award and rank icons, the tip's bulb, the About window's pictures
and the two cursors of the map picture.
"""
import struct

from . import figures, terrain, things
from .canvas import MAGENTA, Picture, atlas, disc, outline, polygon, shade, sprite

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
# The scanner displays: dark ("b") and lit ("r") pictures, background, arrow and edge colours.
SCANNER_LOOKS = {"b": ((56, 56, 56), (128, 128, 128), (28, 28, 28)), "r": ((200, 0, 0), (255, 140, 130), (120, 0, 0))}
# The targeting buttons by index: directions of the 3 x 3 grid, index 8 the centre ("off").
TARGET_BUTTONS = ["NorthWest", "North", "NorthEast", "West", "East", "SouthWest", "South", "SouthEast", None]
# Pictures shown on a button or a window's face have magenta where the face shows through: the
# client puts the system's button-face colour there when it loads them.
BUTTON_FACE, ARROW_INK = MAGENTA, (0, 0, 0)
GAME_TOOLBAR = [("GAME_INFO", GAME_INFO, (0, 64, 160)), ("GAME_PLAYERS", GAME_PLAYERS, (0, 112, 0)),
                ("GAME_TEAMS", GAME_TEAMS, (160, 64, 0))]


def mask_picture(mask, background, ink, edge=None):
    """A 16 x 16 mask drawn in ink on background; with edge, ringed in that colour."""
    pic = Picture(16, 16, background)
    c = pic.whole()
    for y, row in enumerate(mask):
        for x, key in enumerate(row):
            if key == "#":
                c.put(x, y, ink)
    if edge:
        for y in range(16):
            for x in range(16):
                near = [mask[y + dy][x + dx] == "#" for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))
                        if 0 <= x + dx < 16 and 0 <= y + dy < 16]
                if mask[y][x] != "#" and any(near):
                    c.put(x, y, edge)
    return pic


# Small pictures of the feature windows: strips of cells, magenta around each picture, one cell
# per image of a window's image list.
# The vote window's games: 1 the game voted for (a green tick), 2 a hated game (a red cross),
# 3 any other (a grey dot).
VOTE_MARKS = [
    ((0, 150, 0), ["..........", "........##", ".......###", "##....###.", "###..###..", ".#####....",
                   "..###.....", "...#......"]),
    ((200, 0, 0), ["##....##", "###..###", ".######.", "..####..", "..####..", ".######.", "###..###",
                   "##....##"]),
    ((150, 150, 150), ["..##..", ".####.", "######", "######", ".####.", "..##.."]),
]
DISC_EDGE = (64, 64, 64)
WHITE = (255, 255, 255)


def vote_strip():
    pic = Picture(16 * len(VOTE_MARKS), 16)
    for cell, (colour, mark) in enumerate(VOTE_MARKS):
        c = pic.canvas(16 * cell, 0)
        disc(c, 8, 8, 7.0, shade(colour, 0.6))
        disc(c, 8, 8, 6.0, colour)
        disc(c, 7, 7, 3.0, shade(colour, 1.25))
        w, h = len(mark[0]), len(mark)
        sprite(c, mark, {"#": WHITE}, 8 - w // 2, 8 - h // 2)
    return pic


# The profile window's award icons: 24 x 24 medals in the award table's order, for each award
# its Emerald (green), Gold (yellow) and Ruby (red) tier, each showing the award's emblem:
# Bot Harvester a bot, Player Harvester a player, Evader a dodging arrow, Ace a star, Coffee Cup
# a cup, Tournament Ace a trophy, Strongman a dumbbell, Ironman an anvil.
AWARD_TIERS = [(0, 168, 72), (232, 190, 0), (200, 0, 40)]
RIBBON, RIBBON_STRIPE = (40, 64, 160), (220, 220, 230)
EMBLEMS = [
    ["..#....#..", "...#..#...", ".########.", "##.#..#.##", "##.#..#.##", ".########.", "..##..##..",
     ".###..###."],
    ["...####...", "..######..", "..######..", "...####...", ".########.", "##########", "##.####.##",
     "...#..#..."],
    ["#.........", "##....##..", ".##..####.", "..####..##", "...##....#", "..........", "..........",
     ".........."],
    ["....##....", "....##....", "...####...", "##########", ".########.", "..######..", ".###..###.",
     ".##....##."],
    ["..........", ".#..#..#..", "..#..#..#.", "#########.", "#######.##", "#######..#", "#######.##",
     ".#####...."],
    ["##########", "#.######.#", "#.######.#", ".########.", "...####...", "....##....", "...####...",
     "..######.."],
    ["..........", "##......##", "##......##", "##########", "##########", "##......##", "##......##",
     ".........."],
    ["..........", "##########", ".#########", "..######..", "...####...", "...####...", ".########.",
     "##########"],
]


def award_strip():
    pic = Picture(24 * len(EMBLEMS) * len(AWARD_TIERS), 24)
    for award, emblem in enumerate(EMBLEMS):
        for tier, colour in enumerate(AWARD_TIERS):
            c = pic.canvas(24 * (len(AWARD_TIERS) * award + tier), 0, 24, 24)
            polygon(c, [(8, 0), (16, 0), (14, 9), (10, 9)], RIBBON)
            c.fill(11, 0, 12, 7, RIBBON_STRIPE)
            disc(c, 12, 15, 8.6, shade(colour, 0.55))
            disc(c, 12, 15, 7.6, colour)
            disc(c, 10.5, 13.5, 4.0, shade(colour, 1.2))
            sprite(c, emblem, {"#": WHITE if tier != 1 else (90, 60, 0)}, 7, 11)
    return pic


# The team window's ranks, General to Private: gold stars for the generals and field officers
# (three, two, one), silver bars for the captain (two) and the lieutenant (one), and chevrons
# for the sergeant (three), the corporal (two) and the private (one).
STAR = ["..#..", ".###.", "#####", ".###.", ".#.#."]
GOLD, SILVER, KHAKI = (240, 190, 20), (200, 204, 214), (70, 110, 50)


def rank_strip():
    pic = Picture(16 * 8, 16)
    for cell in range(8):
        c = pic.canvas(16 * cell, 0)
        if cell < 3:  # stars: 3, 2, 1
            for x, y in [[(5, 2), (2, 9), (9, 9)], [(2, 5), (9, 5)], [(5, 5)]][cell]:
                sprite(c, STAR, {"#": GOLD}, x, y)
        elif cell < 5:  # bars: 2, 1
            for y in ((4, 9) if cell == 3 else (6,)):
                c.fill(3, y, 12, y + 2, SILVER)
                c.fill(3, y + 2, 12, y + 2, shade(SILVER, 0.7))
        else:  # chevrons pointing up: 3, 2, 1
            count = 8 - cell
            top = (16 - (4 * count + 2)) // 2
            for k in range(count):
                for i in range(6):
                    for dy in (0, 1):
                        y = top + 4 * k + i + dy
                        c.put(7 - i, y, KHAKI), c.put(8 + i, y, KHAKI)
        outline(c, (40, 40, 40))
    return pic


# The tip window's light bulb (on the white of its picture area) and the About window's
# pointing finger of the hidden joke.
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


def two_ink_picture(mask, background, ink, light, base_rows=()):
    pic = Picture(16, 16, background)
    c = pic.whole()
    for y, row in enumerate(mask):
        for x, key in enumerate(row):
            if key == "#":
                c.put(x, y, BULB_BASE if y in base_rows else ink)
            elif key == "o":
                c.put(x, y, light)
    return pic




def about_picture():
    """A corner of the arena, 4 x 4 squares: grass and a lake's shore, two players, a bot and
    a splat, drawn from the map's own atlases."""
    ground = terrain.cells()
    sheets = {"players": atlas(256, figures.players()), "bots": atlas(64, figures.bots()),
              "splats": atlas(64, things.splats())}
    squares = [[43, 43, 43, 43], [43, 43, 64, 80], [43, 43, 65, 81], [43, 43, 65, 81]]
    pic = Picture(64, 64)
    for i, row in enumerate(squares):
        for j, tile in enumerate(row):
            pic.canvas(16 * j, 16 * i).tile(ground[tile])
    for sheet, cell, j, i in (("players", 3, 0, 1), ("players", 16 + 5, 1, 2), ("bots", 2, 2, 0), ("splats", 0, 0, 3)):
        src = sheets[sheet]
        n = src.width // 16
        for y in range(16):
            for x in range(16):
                colour = src.rows[16 * (cell % n) + y][16 * (cell // n) + x]
                if colour != MAGENTA:
                    pic.rows[16 * i + y][16 * j + x] = colour
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
    # A white rim around every black line, so that the cursor shows on dark ground and light.
    for y in range(32):
        for x in range(32):
            if rows[y][x] == "." and any(rows[y + dy][x + dx] == "#" for dy in (-1, 0, 1) for dx in (-1, 0, 1)
                                         if 0 <= y + dy < 32 and 0 <= x + dx < 32):
                rows[y][x] = "o"
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


def pictures():
    """Every picture by resource name."""
    out = {}
    for key, (background, ink, edge) in SCANNER_LOOKS.items():
        for direction, (mask, quarters) in DIRECTIONS.items():
            out[key + direction] = mask_picture(turned(mask, quarters), background, ink, edge)
    for index, direction in enumerate(TARGET_BUTTONS):
        mask = TARGET_OFF if direction is None else turned(*DIRECTIONS[direction])
        out["TARGET_%d" % index] = mask_picture(mask, BUTTON_FACE, ARROW_INK)
    for name, mask, ink in GAME_TOOLBAR:
        out[name] = mask_picture(mask, MAGENTA, ink)
    out["VOTE_ICONS"] = vote_strip()
    out["AWARD_ICONS"] = award_strip()
    out["TIP_BULB"] = two_ink_picture(LIGHT_BULB, WHITE, (96, 80, 0), BULB_LIGHT, base_rows=(11, 12, 13, 14))
    out["ABOUT_FINGER"] = two_ink_picture(FINGER, BUTTON_FACE, (0, 0, 0), (255, 208, 160))
    out["ABOUT_PICTURE"] = about_picture()
    out["RANK_ICONS"] = rank_strip()
    return out


def particle():
    """The particle texture of the development build's folder: 32 x 32, a soft white glow that
    fades to its edge over magenta."""
    pic = Picture(32, 32)
    c = pic.whole()
    for r, level in ((13, 120), (11, 160), (8, 200), (5, 235), (2.5, 255)):
        disc(c, 16, 16, r, (level, level, level))
    return pic


def cursors():
    return {"Cursor1.cur": cursor(cursor_mask(False), 16, 16), "Cursor2.cur": cursor(cursor_mask(True), 16, 16)}
