#!/usr/bin/env python3
"""Makes the client's art and sounds resources: the sprite atlases, the effect and ambience
sounds, the scanner, targeting and tool-bar pictures and the two map cursors (drawn by the
modules of the "artwork" folder beside this script).

Everything is drawn from tables and fixed-seed noise, with no clock and fixed header fields,
so every run writes the same bytes. The output folder receives the files and "Art.rc", which
names them for the resource compiler; "resources.sha256" beside this script lists what every
file must hash to (--check compares, --write-manifest rewrites it).

With --folders PROGDIR it also writes, below PROGDIR, the folders a development build reads
instead of its resources: "images" (the atlases under their file names and the particle
texture) and "sounds" (every sound under its file name).

Usage: make_resources.py OUTDIR [--check | --write-manifest] [--folders PROGDIR]
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

# The file names of the development build's folders, by resource name.
IMAGE_FILES = {"TERRAIN_16": "terrain_lo.bmp", "OBJECTS_16": "objects_lo.bmp", "PLAYERS_16": "characters_lo.bmp",
               "BOTS_16": "bots_lo.bmp", "JETTRAILS_16": "jettrail_lo.bmp", "PAINTBALLS_16": "paintballs_lo.bmp",
               "SPLATS_16": "splats_lo.bmp", "WALLS_16": "walls_lo.bmp", "SATELLITE_16": "satellite_lo.bmp"}
SOUND_FILES = {"BOUNCE": "boink.wav", "BUY": "buy.wav", "FIRE": "fire.wav", "HITYOU": "hityou.wav",
               "RELEASE": "release.wav", "SIREN": "siren.wav", "SPLAT": "splat.wav", "STEP": "step.wav",
               "THROW": "throw.wav", "UNSIREN": "unsiren.wav", "WATER": "water.wav", "SNOW": "snowwalk.wav",
               "THUNDER": "thunder-clap.wav", "RAIN": "shortrain.wav", "WIND": "wind.wav"}


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


def folder_files(files):
    """The development build's folders: "images/..." and "sounds/..." by path."""
    out = {"images/" + f: files[name + ".bmp"] for name, f in IMAGE_FILES.items()}
    out.update({"sounds/" + f: files[name + ".wav"] for name, f in SOUND_FILES.items()})
    out["images/particle.bmp"] = pictures.particle().bmp()
    return out


def write(folder, files):
    for name, data in sorted(files.items(), key=lambda item: item[0] == "Art.rc"):
        path = os.path.join(folder, *name.split("/"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
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


def manifest_text(files):
    return "".join("%s  %s\n" % (hashlib.sha256(data).hexdigest(), name) for name, data in sorted(files.items()))


def main(argv):
    if len(argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    out = argv[1]
    files = build()
    folders = folder_files(files)
    write(out, files)
    if "--folders" in argv:
        write(argv[argv.index("--folders") + 1], folders)
    text = manifest_text({**files, **folders})
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
