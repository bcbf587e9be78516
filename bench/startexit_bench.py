#!/usr/bin/env python3
"""Everyday start, exit, idle CPU and a soak of the real lumora.exe, this
build against a peer build (today's main) measured in the same run, under
Wine with the phone-photo library.

  bench/startexit_bench.py --peer-exe PATH [--wine-build DIR] [--photos DIR]
                           [--reps N] [--soak N]

--peer-exe: the peer's lumora.exe, e.g. built from a detached checkout of
main in its own build folder. The driver (start_timing.exe) is this build's
for both programs. The soak runs on small copies of the library's photos:
it counts switches, not decodes.
"""
import argparse
import os
import subprocess
import sys

ROOT = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, ROOT)
import library_bench  # noqa: E402
import photo_library  # noqa: E402

ROOT = os.path.dirname(ROOT)


def soak_album(photos_dir, originals):
    folder = os.path.join(photos_dir, "soak12")
    os.makedirs(folder, exist_ok=True)
    for i, source in enumerate(originals):
        target = os.path.join(folder, "IMG_%05d.jpg" % (i + 1))
        if not os.path.exists(target):
            subprocess.run([photo_library.CONVERT, source, "-resize", "1024x1024", "-quality", "85", target],
                           check=True)
    return folder


def measure(start, exe, albums, soak_folder, reps, soak):
    """Figures of one program: warm start and exit of each album size, idle
    CPU and the soak."""
    small, big = min(albums), max(albums)
    out = {}
    for size in (small, big):
        # A first start stores the album (through "InstallPath") at its exit.
        start("cold", albums[size], size, "exit", "exe=" + exe)
        out[size] = library_bench.median_of(reps, lambda: start("warm", albums[size], size, "exit", "exe=" + exe))
    start("cold", albums[small], small, "exit", "exe=" + exe)
    out["idle"] = start("warm", albums[small], small, "idle=60", "exit", "exe=" + exe)
    if soak:
        start("cold", soak_folder, small, "exit", "exe=" + exe)
        out["soak"] = start("warm", soak_folder, small, "soak=%d" % soak, "exit", "exe=" + exe)
    return out


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--peer-exe", required=True)
    ap.add_argument("--wine-build", default=os.path.join(ROOT, "build", "win64"))
    ap.add_argument("--photos", default=os.path.join(ROOT, "build", "bench-photos"))
    ap.add_argument("--reps", type=int, default=3)
    ap.add_argument("--soak", type=int, default=3000)
    args = ap.parse_args()
    photos_dir = os.path.abspath(args.photos)
    albums = photo_library.make_library(photos_dir)
    albums = {size: albums[size] for size in (min(albums), max(albums))}
    originals = sorted(os.path.join(photos_dir, "originals", f)
                       for f in os.listdir(os.path.join(photos_dir, "originals")) if f.endswith(".jpg"))
    soak_folder = soak_album(photos_dir, originals)
    library_bench.ensure_build(args.wine_build)
    ours_exe = library_bench.windows_path(os.path.join(args.wine_build, "app", "lumora.exe"))
    peer_exe = library_bench.windows_path(args.peer_exe)
    env = library_bench.wine_env(args.wine_build)
    with library_bench.wine_session(env):
        start = library_bench.Starter(args.wine_build, env)
        ours = measure(start, ours_exe, albums, soak_folder, args.reps, args.soak)
        peer = measure(start, peer_exe, albums, soak_folder, args.reps, args.soak)

    small, big = min(albums), max(albums)
    rows = []

    def row(label, figure_of, unit, target, ok):
        figures = [figure_of(ours), figure_of(peer)]
        verdict = "ok" if ok(figures[0]) else "MISSED"
        rows.append((label, figures[0], figures[1], unit, target, verdict))

    for name, what in (("main_s", "main window"), ("photo_s", "first photo")):
        row("warm %s, %d vs %d photos" % (what, big, small), lambda f: f[big][name] / f[small][name], "x",
            "<=1.5", lambda r: r <= 1.5)
    row("exit+save unchanged, %d minus %d" % (big, small), lambda f: f[big]["exit_s"] - f[small]["exit_s"], "s",
        "<=0.1", lambda d: d <= 0.1)
    row("idle show, pointer away, 60 s", lambda f: f["idle"]["idle_cpu_pct"], "% core", "<0.2", lambda p: p < 0.2)
    if args.soak:
        row("soak %d switches: private bytes" % args.soak,
            lambda f: f["soak"]["soak_end_private_mb"] - f["soak"]["soak_start_private_mb"], "MB", "<2", lambda g: g < 2)
        for counter in ("handles", "gdi", "user"):
            row("soak: %s growth" % counter,
                lambda f, c=counter: f["soak"]["soak_end_" + c] - f["soak"]["soak_start_" + c], "", "0",
                lambda g: g <= 0)
    for label, key in (("warm main window", "main_s"), ("warm first photo", "photo_s"), ("exit", "exit_s")):
        for size in (small, big):
            row("  %s, %d photos" % (label, size), lambda f, s=size, k=key: f[s][k], "s", "", lambda _: True)
    if args.soak:
        row("  soak run time", lambda f: f["soak"]["soak_s"], "s", "", lambda _: True)
        for counter in ("private_mb", "handles", "gdi", "user"):
            row("  soak end " + counter, lambda f, c=counter: f["soak"]["soak_end_" + c], "", "", lambda _: True)

    print(f"{'figure':44} {'ours':>10} {'main (peer)':>12} {'unit':7} {'target':>7}")
    for label, figure, peer_figure, unit, target, verdict in rows:
        print(f"{label:44} {figure:10.3f} {peer_figure:12.3f} {unit:7} {target:>7} {verdict if target else ''}")
    return 1 if any(r[5] == "MISSED" and r[4] for r in rows) else 0


if __name__ == "__main__":
    sys.exit(main())
