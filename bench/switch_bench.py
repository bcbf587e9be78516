#!/usr/bin/env python3
"""The UI thread's longest stall while the real lumora.exe switches photos
(WM_NULL round trips to its main window every 5 ms), by the switching timer
and by "Next photo", with 12-MP phone photos and with a 50-MP panorama; each
figure against today's main measured in the same run.

  bench/switch_bench.py [--wine-build DIR] [--photos OUT] [--reps N]
                        [--peer-build DIR] [--peer-source DIR]

--peer-build: a 64-bit Release build folder of the peer's sources holding
lumora.exe (default build/peer-win64, built from --peer-source when missing;
that defaults to a detached checkout of main beside this worktree).
"""
import argparse
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import library_bench  # noqa: E402
import photo_library  # noqa: E402

ROOT = os.path.dirname(HERE)
PANORAMA = "8660x5773"
SWITCHES = 6


def build(source, folder, target):
    subprocess.run(["cmake", "-S", source, "-B", folder, "-DCMAKE_BUILD_TYPE=Release",
                    "-DCMAKE_TOOLCHAIN_FILE=" + os.path.join(source, "cmake", "mingw-w64-x86_64.cmake")],
                   check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", folder, "-j", str(os.cpu_count() or 2), "--target", target],
                   check=True, stdout=subprocess.DEVNULL)


def panorama_album(library):
    """Two entries of one 50-MP JPEG: every switch decodes it."""
    folder = os.path.join(library, "panorama")
    photo = os.path.join(library, "originals", "panorama.jpg")
    if not os.path.exists(photo):
        source = os.path.join(library, "originals", "photo01.jpg")
        subprocess.run([photo_library.CONVERT, source, "-resize", PANORAMA + "!", "-quality", "90",
                        photo + ".part.jpg"], check=True)
        os.replace(photo + ".part.jpg", photo)
    os.makedirs(folder, exist_ok=True)
    for n in (1, 2):
        link = os.path.join(folder, "PANO_%d.jpg" % n)
        if not os.path.exists(link):
            os.link(photo, link)
    return folder


def measure(timing, env, folder, exe):
    command = [library_bench.wine_loader(), timing, library_bench.windows_path(folder), str(SWITCHES)]
    if exe:
        command.append(library_bench.windows_path(exe))
    out = subprocess.run(command, env=env, capture_output=True, text=True, stdin=subprocess.DEVNULL).stdout
    figures = {}
    for line in out.splitlines():
        name, _, value = line.partition(" ")
        if name == "failed":
            raise RuntimeError("switch_timing %s: no %s" % (folder, value))
        figures[name] = float(value)
    return figures


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--wine-build", default=os.path.join(ROOT, "build", "win64"))
    ap.add_argument("--photos", default=os.path.join(ROOT, "build", "bench-photos"))
    ap.add_argument("--reps", type=int, default=1)
    ap.add_argument("--peer-build", default=os.path.join(ROOT, "build", "peer-win64"))
    ap.add_argument("--peer-source", default=os.path.join(os.path.dirname(ROOT), "peer-show"))
    args = ap.parse_args()
    albums = photo_library.make_library(os.path.abspath(args.photos))
    panorama = panorama_album(os.path.abspath(args.photos))
    build(ROOT, args.wine_build, "switch_timing")
    if not os.path.exists(os.path.join(args.peer_build, "lumora.exe")):
        build(args.peer_source, args.peer_build, "lumora")
    timing = os.path.join(args.wine_build, "bench", "switch_timing.exe")
    peer_exe = os.path.join(args.peer_build, "lumora.exe")
    env = library_bench.wine_env(args.wine_build)
    rows = []
    with library_bench.wine_session(env):
        for label, folder in (("12-MP", albums[12]), ("50-MP", panorama)):
            ours = library_bench.median_of(args.reps, lambda: measure(timing, env, folder, None))
            peer = library_bench.median_of(args.reps, lambda: measure(timing, env, folder, peer_exe))
            for key, how in (("timer_stall_ms", "by timer"), ("next_stall_ms", 'by "Next photo"')):
                rows.append(("longest stall, %s, %s" % (label, how), "%.1f ms" % ours[key], "main 774e81c",
                             "%.1f ms" % peer[key], ours[key] / peer[key] if peer[key] else float("inf"), "<50 ms",
                             "ok" if ours[key] < 50 else "MISSED"))
            rows.append(("shown decodes per switch, %s" % label, "%.2f" % ours["shown_decodes_per_switch"],
                         "main 774e81c", "%.2f" % peer["shown_decodes_per_switch"],
                         ours["shown_decodes_per_switch"] / peer["shown_decodes_per_switch"]
                         if peer["shown_decodes_per_switch"] else float("inf"), "1", 
                         "ok" if abs(ours["shown_decodes_per_switch"] - 1) < 0.01 else "MISSED"))
    library_bench.print_rows(rows)
    return 1 if photo_library.missed(rows) else 0


if __name__ == "__main__":
    sys.exit(main())
