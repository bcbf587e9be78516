#!/usr/bin/env python3
"""Runs the pixel-core benchmarks and their peers in one go and prints the
ratios against the targets of the pixel-engine issue.

  bench/run_bench.py [--build DIR] [--wine-build DIR]

--build: native build folder (configured and built here, Release, when
missing). --wine-build: a Win32 build folder holding photo_timing.exe and
thumb_cache_timing.exe; with it the end-to-end photo timing and the disk
thumbnail cache timing run under Wine on the 5640 x 3172 JPEG of the
Debian package mate-backgrounds (installed here when missing, never kept in
the repository).
"""
import argparse
import json
import os
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def run_json(exe, reps):
    out = subprocess.run([exe, "--benchmark_format=json", f"--benchmark_repetitions={reps}",
                          "--benchmark_report_aggregates_only=true"],
                         check=True, capture_output=True, text=True).stdout
    times = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("aggregate_name") == "median":
            scale = {"ms": 1.0, "us": 1e-3, "ns": 1e-6}[b["time_unit"]]
            times[b["run_name"]] = b["real_time"] * scale
    return times


def pillow_times(reps):
    # The system interpreter carries python3-pil.
    code = r"""
import json, os, time
from PIL import Image
def med(f, n):
    ts = []
    for _ in range(n):
        t = time.perf_counter(); f(); ts.append((time.perf_counter() - t) * 1000)
    ts.sort(); return ts[len(ts) // 2]
n = %d
big = Image.frombytes("RGBA", (6000, 4000), os.urandom(6000 * 4000 * 4))
bigp = big.convert("RGBa")
small = Image.frombytes("RGBA", (640, 480), os.urandom(640 * 480 * 4)).convert("RGBa")
print(json.dumps({
  "W1": med(lambda: bigp.resize((1000, 667), Image.BOX), n),
  "W2": med(lambda: bigp.resize((480, 320), Image.BOX), n),
  "W3": med(lambda: small.resize((1920, 1080), Image.BILINEAR), n),
  "W5": med(lambda: big.convert("RGBa"), n),
}))
""" % reps
    out = subprocess.run(["/usr/bin/python3", "-c", code], check=True, capture_output=True, text=True).stdout
    return json.loads(out)


def ensure_native(build):
    if not os.path.exists(os.path.join(build, "bench", "pixel_bench")):
        subprocess.run(["cmake", "-S", ROOT, "-B", build, "-DCMAKE_BUILD_TYPE=Release"], check=True,
                       stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", build, "-j", str(os.cpu_count() or 2), "--target", "pixel_bench",
                    "pixman_peer_bench"], check=True, stdout=subprocess.DEVNULL)


def photo_timing(wine_build):
    def find_photo():
        for dirpath, _, files in os.walk("/usr/share/backgrounds/mate"):
            for f in files:
                if "5640x3172" in f and f.lower().endswith(".jpg"):
                    return os.path.join(dirpath, f)
        return None
    photo = find_photo()
    if not photo:
        subprocess.run(["apt-get", "install", "-y", "-q", "mate-backgrounds"], check=True,
                       stdout=subprocess.DEVNULL)
        photo = find_photo()
    wine_path = "Z:" + photo.replace("/", "\\") if photo else None
    for name in ("photo_timing.exe", "thumb_cache_timing.exe"):
        exe = None
        for dirpath, _, files in os.walk(wine_build):
            if name in files:
                exe = os.path.join(dirpath, name)
        if not photo or not exe:
            print("end-to-end: needs", name, "under", wine_build, "and the mate-backgrounds photo")
            continue
        out = subprocess.run([os.path.join(ROOT, "tools", "wine-run"), exe, wine_path], capture_output=True, text=True)
        print((out.stdout or out.stderr).strip())


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--build", default=os.path.join(ROOT, "build-bench"))
    ap.add_argument("--wine-build")
    ap.add_argument("--reps", type=int, default=5)
    args = ap.parse_args()

    ensure_native(args.build)
    ours = run_json(os.path.join(args.build, "bench", "pixel_bench"), args.reps)
    pixman = run_json(os.path.join(args.build, "bench", "pixman_peer_bench"), args.reps)
    pil = pillow_times(args.reps)
    mem = ours["Memcpy_6000x4000"]

    def name(prefix):
        return next(k for k in ours if k.startswith(prefix))

    rows = [
        ("W1 reduce 6000x4000 -> 1000x667", ours[name("W1")], "Pillow BOX RGBa", pil["W1"], 0.4),
        ("W1 vs memcpy of the source", ours[name("W1")], "memcpy 96 MB", mem, 3.0),
        ("W2 reduce 6000x4000 -> 480x320", ours[name("W2")], "Pillow BOX RGBa", pil["W2"], 0.5),
        ("W3 enlarge 640x480 -> 1920x1080", ours[name("W3")], "Pillow BILINEAR RGBa", pil["W3"], 0.25),
        ("W4 blend 1920x1080", ours[name("W4")], "pixman OVER 8888", pixman[name("W4")], 1.0),
        ("W5 premultiply 6000x4000", ours[name("W5")], "memcpy 96 MB", mem, 2.0),
        ("W5 (Pillow RGBA->RGBa, for scale)", pil["W5"], "memcpy 96 MB", mem, None),
    ]
    print(f"{'workload':38} {'ours ms':>9}  {'peer':22} {'peer ms':>9} {'ratio':>7} {'target':>7}")
    ok = True
    for label, t, peer, pt, target in rows:
        ratio = t / pt
        verdict = "" if target is None else ("ok" if ratio <= target else "MISSED")
        ok = ok and verdict != "MISSED"
        tgt = "" if target is None else f"<={target:g}"
        print(f"{label:38} {t:9.2f}  {peer:22} {pt:9.2f} {ratio:7.3f} {tgt:>7} {verdict}")
    if args.wine_build:
        photo_timing(args.wine_build)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
