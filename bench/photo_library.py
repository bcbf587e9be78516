#!/usr/bin/env python3
"""Makes the phone-photo library the library benchmarks run on.

  bench/photo_library.py [OUT]        (default: build/bench-photos)

Twelve 12-MP JPEGs (4032 x 3024, quality 90) made from the nature photos of
the Debian package mate-backgrounds (installed when missing, never kept in
the repository). Every third one is a portrait stored sideways with EXIF
Orientation 6, as phones store them. Each carries an embedded EXIF
thumbnail, written by exiftool. Albums of 12, 1,200 and 12,000 entries are
folders of hard links to those twelve files, named IMG_00001.jpg onwards.

Prints the album folders as JSON. Made once: an existing, complete library
is reused.
"""
import argparse
import json
import os
import shutil
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
NATURE = "/usr/share/backgrounds/mate/nature"
CONVERT = "/usr/bin/convert"
ALBUM_SIZES = (12, 1200, 12000)


def ensure_tools():
    missing = [pkg for tool, pkg in (("exiftool", "libimage-exiftool-perl"), (CONVERT, "imagemagick"))
               if not shutil.which(tool)]
    if not os.path.isdir(NATURE):
        missing.append("mate-backgrounds")
    if missing:
        subprocess.run(["apt-get", "install", "-y", "-q", *missing], check=True, stdout=subprocess.DEVNULL)


def make_photo(source, target, sideways):
    if sideways:
        # Upright it is 3024 x 4032; stored turned a quarter to the left, so
        # that Orientation 6 (turn right to view) shows it upright.
        geometry, turn = "3024x4032", ["-rotate", "-90"]
    else:
        geometry, turn = "4032x3024", []
    subprocess.run([CONVERT, source, "-resize", geometry + "^", "-gravity", "center", "-extent", geometry,
                    *turn, "-strip", "-quality", "90", target], check=True)
    thumb = target + ".thumb.jpg"
    subprocess.run([CONVERT, target, "-resize", "160x120!", "-quality", "80", thumb], check=True)
    tags = ["-ThumbnailImage<=" + thumb]
    if sideways:
        tags.append("-Orientation#=6")
    subprocess.run(["exiftool", "-q", "-overwrite_original", *tags, target], check=True)
    os.remove(thumb)


def make_library(out):
    ensure_tools()
    originals = os.path.join(out, "originals")
    os.makedirs(originals, exist_ok=True)
    sources = sorted(f for f in os.listdir(NATURE) if f.lower().endswith(".jpg"))[:12]
    photos = []
    for i, name in enumerate(sources):
        target = os.path.join(originals, "photo%02d.jpg" % (i + 1))
        if not os.path.exists(target):
            make_photo(os.path.join(NATURE, name), target + ".part.jpg", sideways=(i % 3 == 2))
            os.replace(target + ".part.jpg", target)
        photos.append(target)
    albums = {}
    for size in ALBUM_SIZES:
        folder = os.path.join(out, "album%d" % size)
        os.makedirs(folder, exist_ok=True)
        for n in range(size):
            link = os.path.join(folder, "IMG_%05d.jpg" % (n + 1))
            if not os.path.exists(link):
                os.link(photos[n % len(photos)], link)
        albums[size] = folder
    return albums


def library_arguments():
    """The drivers' common command line: the build under test, the library
    (made when missing) and the repetitions. Gives the arguments and the albums."""
    ap = argparse.ArgumentParser()
    ap.add_argument("--wine-build", default=os.path.join(ROOT, "build", "win64"))
    ap.add_argument("--photos", "--library", dest="photos", default=os.path.join(ROOT, "build", "bench-photos"))
    ap.add_argument("--reps", type=int, default=3)
    args = ap.parse_args()
    return args, make_library(os.path.abspath(args.photos))


def missed(rows):
    return any(row[6] == "MISSED" for row in rows)


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build", "bench-photos")
    print(json.dumps(make_library(os.path.abspath(out))))
