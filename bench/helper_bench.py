#!/usr/bin/env python3
"""Decoding through the decode helper against decoding in the program's own
process, under Wine with the phone-photo library, each figure a ratio
against its peer measured in the same run.

  bench/helper_bench.py [--wine-build DIR] [--photos OUT] [--reps N]

Slide decode of a 12-MP JPEG fitted to 1920 x 1080; thumbnails per second
from embedded EXIF thumbnails and from full decodes (the same photos with
their thumbnails stripped); the start of a fresh helper; and the private
bytes of the program showing a 100-MP PNG ahead of 12,000 photos, the
helpers' share apart (with the settings dialog open, as library_bench.py).
"""
import json
import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import library_bench  # noqa: E402
import photo_library  # noqa: E402


def stripped_album(photos_root, album):
    """The album's photos without their EXIF thumbnails."""
    folder = os.path.join(photos_root, "stripped12")
    os.makedirs(folder, exist_ok=True)
    for name in sorted(os.listdir(album)):
        target = os.path.join(folder, name)
        if not os.path.exists(target):
            shutil.copyfile(os.path.join(album, name), target + ".part")
            subprocess.run(["exiftool", "-q", "-overwrite_original", "-ThumbnailImage=", target + ".part"],
                           check=True)
            os.replace(target + ".part", target)
    return folder


def big_png_album(photos_root, album):
    """12,000 photos after a 10,000 x 10,000 PNG that sorts first."""
    folder = os.path.join(photos_root, "album12000png")
    os.makedirs(folder, exist_ok=True)
    png = os.path.join(folder, "IMG_00000.png")
    if not os.path.exists(png):
        subprocess.run([photo_library.CONVERT, "-size", "10000x10000", "gradient:orange-navy", png + ".part.png"],
                       check=True)
        os.replace(png + ".part.png", png)
    for name in os.listdir(album):
        if not os.path.exists(os.path.join(folder, name)):
            os.link(os.path.join(album, name), os.path.join(folder, name))
    return folder


def timing(wine_build, env, *args):
    exe = os.path.join(wine_build, "bench", "helper_timing.exe")
    helper = library_bench.windows_path(os.path.join(wine_build, "app", "lumora.exe"))
    out = subprocess.run([library_bench.wine_loader(), exe, *args, helper], env=env, check=True,
                         capture_output=True, text=True, stdin=subprocess.DEVNULL).stdout
    print(out.strip(), file=sys.stderr)
    return json.loads(out.strip().splitlines()[-1])


def main():
    args, albums = photo_library.library_arguments()
    wine_build = args.wine_build
    subprocess.run(["cmake", "--build", wine_build, "--target", "helper_timing", "start_timing", "lumora"],
                   check=True, stdout=subprocess.DEVNULL)
    photos_root = os.path.abspath(args.photos)
    exif, stripped = albums[12], stripped_album(photos_root, albums[12])
    big = big_png_album(photos_root, albums[12000])
    env = library_bench.wine_env(wine_build)
    wp = library_bench.windows_path
    rows = []
    with library_bench.wine_session(env):
        # The EXIF thumbnail makes the first-request timing mostly the start.
        slide = [timing(wine_build, env, "slide", wp(os.path.join(exif, "IMG_00001.jpg")))
                 for _ in range(args.reps)]
        thumbs_exif = [timing(wine_build, env, "thumbs", wp(exif), "12") for _ in range(args.reps)]
        thumbs_full = [timing(wine_build, env, "thumbs", wp(stripped), "12") for _ in range(args.reps)]
        memory = library_bench.median_of(1, lambda: library_bench.Starter(wine_build, env)(
            "cold", big, 12001, "settings"))

    def median(runs, key):
        values = sorted(run[key] for run in runs)
        return values[len(values) // 2]

    def row(label, figure, peer_label, peer, ratio, target, ok, unit):
        rows.append((label, "%.3f %s" % (figure, unit), peer_label, "%.3f %s" % (peer, unit), ratio, target,
                     "" if ok is None else ("ok" if ok else "MISSED")))

    ratio = median(slide, "helper_ms") / median(slide, "in_process_ms")
    row("slide decode 12 MP, helper", median(slide, "helper_ms"), "in process", median(slide, "in_process_ms"),
        ratio, "<=1.1", ratio <= 1.1, "ms")
    for label, runs in (("thumbs/s from EXIF, helper", thumbs_exif), ("thumbs/s full decode, helper", thumbs_full)):
        ratio = median(runs, "helper_per_s") / median(runs, "in_process_per_s")
        row(label, median(runs, "helper_per_s"), "in process", median(runs, "in_process_per_s"), ratio, ">=0.8",
            ratio >= 0.8, "/s")
    row("helper start (first thumbnail)", median(slide, "helper_start_ms"), "", 0, float("inf"), "", None, "ms")
    row("private MB, 100 MP PNG + 12,000", memory["private_mb"], "helpers' share", memory["helper_private_mb"],
        float("inf"), "", None, "MB")
    row("peak private MB, program", memory["peak_private_mb"], "helpers' peak", memory["helper_peak_mb"],
        float("inf"), "", None, "MB")
    library_bench.print_rows(rows)
    return 1 if photo_library.missed(rows) else 0


if __name__ == "__main__":
    sys.exit(main())
