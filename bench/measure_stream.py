#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Time and peak memory of `tav gcode --pnp board.csv -o out.nc`, side by side.

usage: bench/measure_stream.py [--runs N] [--sizes 10000,100000,1000000] TAV [TAV ...]

Generates the boards of measure_tav.py once, runs every given `tav` N times
(default 3) per size, alternating the tools, and prints the medians of wall
time and peak resident memory. Memory is measured by /usr/bin/time (%M), which
sees the program alone; the resource usage of a child started from Python
also counts the interpreter's pages copied before the program started.
Checks that all tools wrote the same bytes.
"""
import argparse
import filecmp
import os
import statistics
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from measure_tav import write_board  # noqa: E402


def run_once(tav, board, program):
    if os.path.exists(program):
        os.remove(program)
    result = subprocess.run(["/usr/bin/time", "-f", "%e %M", tav, "gcode", "--pnp", board,
                             "-o", program, "--decimal-separator", "."],
                            capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit("%s failed: %s" % (tav, result.stderr))
    seconds, kilobytes = result.stderr.strip().splitlines()[-1].split()
    return float(seconds), int(kilobytes) / 1024


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--sizes", default="10000,100000,1000000")
    parser.add_argument("tav", nargs="+")
    args = parser.parse_args()
    with tempfile.TemporaryDirectory(prefix="tav-stream-") as folder:
        print("%-9s %-40s %9s %10s" % ("parts", "tav", "time s", "peak MB"))
        for size in (int(s) for s in args.sizes.split(",")):
            board = os.path.join(folder, "board-%d.csv" % size)
            write_board(board, size)
            results = {tav: [] for tav in args.tav}
            for _ in range(args.runs):
                for i, tav in enumerate(args.tav):
                    results[tav].append(run_once(tav, board, os.path.join(folder, "%d.nc" % i)))
            for tav, runs in results.items():
                print("%-9d %-40s %9.3f %10.1f" % (size, tav[-40:],
                                                  statistics.median(r[0] for r in runs),
                                                  statistics.median(r[1] for r in runs)))
            outputs = [os.path.join(folder, "%d.nc" % i) for i in range(len(args.tav))]
            if not all(filecmp.cmp(outputs[0], o, shallow=False) for o in outputs[1:]):
                sys.exit("the programs differ at %d parts" % size)


if __name__ == "__main__":
    main()
