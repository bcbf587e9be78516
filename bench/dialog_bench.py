#!/usr/bin/env python3
"""Times the settings dialog and thumbnail making under Wine and prints the
figures as ratios against peers measured in the same run.

  bench/dialog_bench.py [--wine-build DIR] [--photos DIR] [--reps N]

--wine-build: the 64-bit Release build folder holding bench/dialog_timing.exe,
pane_fill_timing.exe and thumb_throughput.exe (default build/win64).
--photos: the phone-photo library of photo_library.py (made when missing).

The programs run in a Wine prefix of their own inside the build folder, on
the display in DISPLAY or on a private Xvfb started (and stopped) here.
run(albums, wine_build) returns the table rows for a caller that prints them
with other tables.
"""
import glob
import json
import os
import shutil
import statistics
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "bench"))
import photo_library  # noqa: E402

DIALOG_LIMIT_MS = 1000
GAP_LIMIT_MS = 100
EXIF_PHOTOS = 240      # cheap: embedded thumbnails
STRIPPED_PHOTOS = 24   # a full decode each
OLE_PHOTOS = 12


def win_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class Wine:
    """Runs the timing programs in the bench's own prefix."""

    def __init__(self, wine_build, reps):
        self.bench = os.path.join(wine_build, "bench")
        self.reps = reps
        self.env = dict(os.environ, LUMORA_BUILD=os.path.dirname(os.path.abspath(wine_build)),
                        LUMORA_WINEPREFIX=os.path.join(os.path.abspath(wine_build), "bench-dialog-prefix"))
        self.xvfb = None

    def shell(self, script, *args):
        return subprocess.run(["bash", "-c", "source tools/wine-env.sh && " + script, "_", *args], cwd=ROOT,
                              env=self.env, capture_output=True, text=True)

    def __enter__(self):
        if not self.env.get("DISPLAY"):
            out = self.shell("lumora_start_xvfb >&2 && echo $DISPLAY $LUMORA_XVFB_PID")
            display, pid = out.stdout.split()
            self.env["DISPLAY"], self.xvfb = display, int(pid)
        self.shell("lumora_wine_prefix")
        return self

    def __exit__(self, *_):
        self.shell("wineserver -k")
        if self.xvfb:
            os.kill(self.xvfb, 15)

    def run(self, exe, *args):
        out = self.shell('lumora_wine "$@"', os.path.join(self.bench, exe), *args)
        if out.returncode != 0 or not out.stdout.strip():
            raise RuntimeError(f"{exe} {' '.join(args)}: {out.stderr.strip() or out.returncode}")
        return json.loads(out.stdout.strip().splitlines()[-1])

    def empty_thumbnail_cache(self):
        prefix = self.env["LUMORA_WINEPREFIX"]
        for folder in glob.glob(os.path.join(prefix, "drive_c", "users", "*", "AppData", "Local", "Arvendal")):
            shutil.rmtree(folder, ignore_errors=True)

    def median(self, exe, *args, before=None):
        runs = []
        for _ in range(self.reps):
            if before:
                before()
            runs.append(self.run(exe, *args))
        return {key: statistics.median(r[key] for r in runs) for key in runs[0]}


def dialog_figures(wine, albums):
    figures = {}
    for size in sorted(albums):
        wine.run("dialog_timing.exe", "store", win_path(albums[size]), str(size))
        cold, warm = [], []
        for _ in range(wine.reps):
            wine.empty_thumbnail_cache()
            cold.append(wine.run("dialog_timing.exe", "open"))
            warm.append(wine.run("dialog_timing.exe", "open"))
        for name, runs in (("cold", cold), ("warm", warm)):
            figures[size, name] = {key: statistics.median(r[key] for r in runs) for key in runs[0]}
    return figures


def stripped_album(albums, out):
    """The twelve photos without their embedded thumbnail, as hard links
    IMG_00001.jpg onwards."""
    os.makedirs(out, exist_ok=True)
    small = min(albums)
    originals = []
    for n in range(1, 13):
        target = os.path.join(out, "photo%02d.jpg" % n)
        if not os.path.exists(target):
            shutil.copyfile(os.path.join(albums[small], "IMG_%05d.jpg" % n), target + ".part")
            subprocess.run(["exiftool", "-q", "-overwrite_original", "-IFD1:all=", target + ".part"], check=True)
            os.replace(target + ".part", target)
        originals.append(target)
    for n in range(STRIPPED_PHOTOS):
        link = os.path.join(out, "IMG_%05d.jpg" % (n + 1))
        if not os.path.exists(link):
            os.link(originals[n % len(originals)], link)
    return out


def throughput_figures(wine, albums, stripped):
    pool_of = {}
    for label, folder, count in (("exif", albums[max(albums)], EXIF_PHOTOS), ("decode", stripped, STRIPPED_PHOTOS)):
        for workers in (1, 0):
            pool_of[label, workers] = wine.median("thumb_throughput.exe", "pool", win_path(folder), str(count),
                                                  str(workers), before=wine.empty_thumbnail_cache)
    ole = wine.median("thumb_throughput.exe", "ole", win_path(albums[min(albums)]), str(OLE_PHOTOS))
    return pool_of, ole


def verdict(ok):
    return "ok" if ok else "MISSED"


def run(albums, wine_build, reps=3):
    """Rows of (label, figure, peer label, peer figure, ratio, target, verdict)."""
    albums = {int(size): folder for size, folder in albums.items()}
    big, small = max(albums), min(albums)
    rows = []
    with Wine(wine_build, reps) as wine:
        fill = wine.median("pane_fill_timing.exe", str(big))
        dialog = dialog_figures(wine, albums)
        stripped = stripped_album(albums, os.path.join(os.path.abspath(wine_build), "bench-dialog-stripped"))
        pool_of, ole = throughput_figures(wine, albums, stripped)

    rows.append((f"photo rows listed, {big:,}, one batch (ms)", fill["batch_ms"],
                 "one row at a time (before)", fill["one_by_one_ms"], fill["batch_ms"] / fill["one_by_one_ms"],
                 "< 1", verdict(fill["batch_ms"] < fill["one_by_one_ms"])))
    for size in sorted(albums):
        if size == small:
            continue
        for state in ("cold", "warm"):
            ours, peer = dialog[size, state], dialog[small, state]
            peer_label = f"{small} photos, {state}"
            rows.append((f"settings dialog visible, {size:,}, {state} (ms)", ours["visible_ms"], peer_label,
                         peer["visible_ms"], ours["visible_ms"] / peer["visible_ms"],
                         f"< {DIALOG_LIMIT_MS} ms" if size == big else "",
                         verdict(ours["visible_ms"] < DIALOG_LIMIT_MS) if size == big else ""))
            rows.append((f"  shown rows' thumbnails, {size:,}, {state} (ms)", ours["filled_ms"], peer_label,
                         peer["filled_ms"], ours["filled_ms"] / peer["filled_ms"], "", ""))
            rows.append((f"  longest message gap, {size:,}, {state} (ms)", ours["max_gap_ms"], peer_label,
                         peer["max_gap_ms"], ours["max_gap_ms"] / peer["max_gap_ms"], f"< {GAP_LIMIT_MS} ms",
                         verdict(ours["max_gap_ms"] < GAP_LIMIT_MS)))
    for label, name in (("exif", "embedded thumbnail"), ("decode", "no embedded thumbnail")):
        for workers in (1, 0):
            figure = pool_of[label, workers]
            who = "1 worker" if workers == 1 else f"all {int(figure['workers'])} workers"
            if figure["made"] < figure["photos"]:
                who += f" ({figure['made']:g} of {figure['photos']:g} made)"
            rows.append((f"thumbnails/s cold, {name}, {who}", figure["per_second"], "OLE full decodes/s",
                         ole["per_second"], figure["per_second"] / ole["per_second"], "", ""))
    return rows


def print_table(rows):
    print(f"{'measure':52} {'figure':>9}  {'peer':28} {'peer fig':>9} {'ratio':>7}  {'target':10} verdict")
    for label, figure, peer, peer_figure, ratio, target, result in rows:
        print(f"{label:52} {figure:9.1f}  {peer:28} {peer_figure:9.1f} {ratio:7.3f}  {target:10} {result}")


def main():
    args, albums = photo_library.library_arguments()
    rows = run(albums, args.wine_build, args.reps)
    print_table(rows)
    return 1 if photo_library.missed(rows) else 0


if __name__ == "__main__":
    sys.exit(main())
