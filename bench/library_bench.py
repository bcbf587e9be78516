#!/usr/bin/env python3
"""Start-up, exit and memory of the real lumora.exe with the phone-photo
library, under Wine on a private X display, each figure a ratio against a
peer measured in the same run.

  bench/library_bench.py [--wine-build DIR] [--photos OUT] [--reps N]

--wine-build: the 64-bit Release build folder holding lumora.exe and
bench/start_timing.exe (default build/win64, built here when missing).
The Wine prefix is a private one beside it (bench-wineprefix), so that the
runs never share a registry or thumbnail cache with the tests.
"""
import contextlib
import os
import statistics
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, ROOT)
import photo_library  # noqa: E402

ROOT = os.path.dirname(ROOT)


def wine_env(wine_build):
    env = dict(os.environ)
    env.update(WINEPREFIX=os.path.join(os.path.dirname(os.path.abspath(wine_build)), "bench-wineprefix"),
               WINEARCH="win64", WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d")
    return env


def wine_loader():
    return "/usr/lib/wine/wine64" if os.access("/usr/lib/wine/wine64", os.X_OK) else "wine"


@contextlib.contextmanager
def wine_session(env):
    """A private Xvfb display and a Wine server that lives for the whole run."""
    xvfb = None
    for n in range(121, 160):
        if os.path.exists("/tmp/.X11-unix/X%d" % n) or os.path.exists("/tmp/.X%d-lock" % n):
            continue
        xvfb = subprocess.Popen(["Xvfb", ":%d" % n, "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        env["DISPLAY"] = ":%d" % n
        for _ in range(50):
            if subprocess.run(["xdpyinfo"], env=env, capture_output=True).returncode == 0:
                break
            subprocess.run(["sleep", "0.1"])
        else:
            xvfb.kill()
            xvfb = None
            continue
        break
    if not xvfb:
        raise RuntimeError("could not start Xvfb")
    try:
        if not os.path.exists(os.path.join(env["WINEPREFIX"], "system.reg")):
            os.makedirs(env["WINEPREFIX"], exist_ok=True)
            subprocess.run([wine_loader(), "wineboot", "-i"], env=env, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)
            subprocess.run(["wineserver", "-w"], env=env)
        subprocess.run(["wineserver", "-p"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # With no window manager on the display, Wine waits 2 s on every hide
        # of a managed window for a withdrawal that never comes; a desktop's
        # window manager answers at once.
        subprocess.run([wine_loader(), "reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed", "/d", "N",
                        "/f"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
        # Wine's background services start with the first program and keep its
        # output open: they must not inherit a pipe read to its end later.
        subprocess.run([wine_loader(), "cmd", "/c", "echo"], env=env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
        yield env
    finally:
        subprocess.run(["wineserver", "-k"], env=env, capture_output=True)
        xvfb.kill()
        xvfb.wait()


def ensure_build(wine_build):
    subprocess.run(["cmake", "-S", ROOT, "-B", wine_build, "-DCMAKE_BUILD_TYPE=Release",
                    "-DCMAKE_TOOLCHAIN_FILE=" + os.path.join(ROOT, "cmake", "mingw-w64-x86_64.cmake")],
                   check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", wine_build, "-j", str(os.cpu_count() or 2), "--target", "start_timing"],
                   check=True, stdout=subprocess.DEVNULL)


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class Starter:
    """Runs start_timing.exe and parses its "name value" lines."""

    def __init__(self, wine_build, env):
        self.exe = os.path.join(wine_build, "bench", "start_timing.exe")
        self.env = env

    def __call__(self, mode, folder, photos, *options):
        out = subprocess.run([wine_loader(), self.exe, mode, windows_path(folder), str(photos), *options],
                             env=self.env, capture_output=True, text=True, stdin=subprocess.DEVNULL).stdout
        figures = {}
        for line in out.splitlines():
            name, _, value = line.partition(" ")
            if name == "failed":
                raise RuntimeError("start_timing %s %s: no %s" % (mode, folder, value))
            with contextlib.suppress(ValueError):
                figures[name] = float(value)
        return figures


def median_of(reps, measure):
    """Medians, name by name, of `reps` runs of measure()."""
    runs = [measure() for _ in range(reps)]
    return {name: statistics.median(run[name] for run in runs) for name in runs[0]}


def run(albums, wine_build, reps=3):
    """Rows of (label, figure, peer label, peer figure, ratio, target, verdict);
    target is a ratio limit, an absolute limit ("<2 s") or None."""
    ensure_build(wine_build)
    env = wine_env(wine_build)
    sizes = sorted(albums)
    big, small = sizes[-1], sizes[0]
    rows = []
    with wine_session(env), tempfile.TemporaryDirectory() as empty:
        start = Starter(wine_build, env)
        floor = median_of(reps, lambda: start("cold", empty, 0))
        cold, warm, memory = {}, {}, {}
        filled = {}
        for size in sizes:
            cold[size] = median_of(reps, lambda: start("cold", albums[size], size, "exit"))
            # A cold start that makes every thumbnail and saves the album at
            # exit: the warm starts find both.
            filled[size] = start("cold", albums[size], size, "fill", "exit")
            warm[size] = median_of(reps, lambda: start("warm", albums[size], size, "strip", "exit"))
            if size != small:
                # Opened while the start's thumbnail results still come in.
                memory[size] = median_of(reps, lambda: start("warm", albums[size], size, "settings"))

    def row(label, figure, peer_label, peer, target=None, absolute=None, unit="s"):
        ratio = figure / peer if peer else float("inf")
        if absolute is not None:
            verdict = "ok" if figure < absolute else "MISSED"
            shown_target = "<%g %s" % (absolute, unit)
        elif target is not None:
            verdict = "ok" if ratio <= target else "MISSED"
            shown_target = "<=%g" % target
        else:
            verdict, shown_target = "", ""
        rows.append((label, "%.3f %s" % (figure, unit), peer_label, "%.3f %s" % (peer, unit), ratio,
                     shown_target, verdict))

    row("cold: main window, %d photos" % small, cold[small]["main_s"], "empty album", floor["main_s"])
    row("cold: first photo, %d photos" % small, cold[small]["photo_s"], "empty album (window)", floor["main_s"])
    for size in sizes[1:]:
        row("cold: main window, %d photos" % size, cold[size]["main_s"], "%d photos" % small,
            cold[small]["main_s"], target=1.5 if size == big else None)
        row("cold: first photo, %d photos" % size, cold[size]["photo_s"], "%d photos" % small,
            cold[small]["photo_s"], target=1.5 if size == big else None)
    for size in sizes:
        row("warm: main window, %d photos" % size, warm[size]["main_s"], "cold, same album", cold[size]["main_s"])
        row("warm: first photo, %d photos" % size, warm[size]["photo_s"], "cold, same album", cold[size]["photo_s"])
        row("warm: strip drawn after pointer, %d" % size, warm[size]["strip_s"], "first photo, warm",
            warm[size]["photo_s"])
        decodes = warm[size]["thumb_exif_decodes"] + warm[size]["thumb_full_decodes"]
        row("warm: thumbnail decodes, %d photos" % size, decodes, "cold, all made (EXIF+full)",
            filled[size]["thumb_exif_decodes"] + filled[size]["thumb_full_decodes"], absolute=1, unit="")
    row("cold: all thumbnails made, %d photos" % big, filled[big]["fill_s"], "%d photos" % small,
        filled[small]["fill_s"])
    row("exit and save, %d photos, warm" % big, warm[big]["exit_s"], "%d photos" % small, warm[small]["exit_s"],
        absolute=2)
    row("exit and save, %d, cold, all queued" % big, cold[big]["exit_s"], "%d photos" % small,
        cold[small]["exit_s"], absolute=2)
    mid = sizes[-2] if len(sizes) > 2 else big
    per_photo = (memory[big]["private_mb"] - memory[mid]["private_mb"]) / (big - mid) * 1024
    row("private MB, %d + settings dialog" % big, memory[big]["private_mb"], "%d + settings dialog" % mid,
        memory[mid]["private_mb"], absolute=300, unit="MB")
    row("  growth per photo, %d..%d" % (mid, big), per_photo, "", 0, unit="KB")
    return rows


def print_rows(rows):
    print(f"{'figure':42} {'ours':>11}  {'peer':26} {'peer fig':>11} {'ratio':>7} {'target':>8}")
    for label, figure, peer_label, peer, ratio, target, verdict in rows:
        shown_ratio = "" if ratio == float("inf") else "%7.3f" % ratio
        print(f"{label:42} {figure:>11}  {peer_label:26} {peer:>11} {shown_ratio:>7} {target:>8} {verdict}")


def main():
    args, albums = photo_library.library_arguments()
    rows = run(albums, args.wine_build, args.reps)
    print_rows(rows)
    return 1 if photo_library.missed(rows) else 0


if __name__ == "__main__":
    sys.exit(main())
