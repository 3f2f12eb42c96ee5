#!/usr/bin/env python3
"""Makes the client's art and sounds resources: the sprite atlases, the effect and ambience
sounds, the scanner, targeting and tool-bar pictures and the two map cursors (drawn by the
modules of the "artwork" folder beside this script).

Everything is drawn from tables and fixed-seed noise, with no clock and fixed header fields,
so every run writes the same bytes. The output folder receives the files and "Art.rc", which
names them for the resource compiler; "resources.sha256" beside this script lists what every
file must hash to (--check compares, --write-manifest rewrites it).

Usage: make_resources.py OUTDIR [--check | --write-manifest]
"""
import hashlib
import os
import sys

from artwork import figures, pictures, sounds, terrain, things
from artwork.canvas import atlas

MANIFEST = os.path.join(os.path.dirname(os.path.abspath(__file__)), "resources.sha256")

# The sprite atlases by texture slot: resource name, pixel size, the painters of its cells.
ATLASES = [
    ("TERRAIN_16", 256, terrain.painters),
    ("OBJECTS_16", 128, things.objects),
    ("PLAYERS_16", 256, figures.players),
    ("BOTS_16", 64, figures.bots),
    ("JETTRAILS_16", 64, things.trails),
    ("PAINTBALLS_16", 64, things.paintballs),
    ("SPLATS_16", 64, things.splats),
    ("WALLS_16", 64, things.walls),
    ("SATELLITE_16", 32, things.satellites),
]


def build():
    """Every file by name, and the lines of Art.rc."""
    files, rc = {}, []

    def bitmap(name, pic):
        files[name + ".bmp"] = pic.bmp()
        rc.append('%s BITMAP "%s.bmp"' % (name, name))

    for name, size, painters in ATLASES:
        bitmap(name, atlas(size, painters()))
    for name, *_ in sounds.SOUNDS:
        files[name + ".wav"] = sounds.wave(name)
        rc.append('%s WAVE "%s.wav"' % (name, name))
    for name, pic in pictures.pictures().items():
        bitmap(name, pic)
    files.update(pictures.cursors())
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
