#!/usr/bin/env python3
"""Every photo-library benchmark in one go: start-up, strip, exit and memory
of the program (library_bench.py), then the settings dialog and thumbnail
throughput (dialog_bench.py), each table as its own driver prints it.

  bench/library_all.py [--wine-build DIR] [--photos DIR] [--reps N]

Exit status 1 when a target is missed.
"""
import os
import sys

ROOT = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, ROOT)
import dialog_bench  # noqa: E402
import library_bench  # noqa: E402
import photo_library  # noqa: E402


def main():
    args, albums = photo_library.library_arguments()
    start_rows = library_bench.run(albums, args.wine_build, args.reps)
    library_bench.print_rows(start_rows)
    print()
    dialog_rows = dialog_bench.run(albums, args.wine_build, args.reps)
    dialog_bench.print_table(dialog_rows)
    return 1 if photo_library.missed(start_rows + dialog_rows) else 0


if __name__ == "__main__":
    sys.exit(main())
