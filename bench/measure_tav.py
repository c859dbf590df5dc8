#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Peak memory and time of `tav gcode --pnp big.csv -o out.nc` on a generated board.

usage: bench/measure_tav.py path/to/tav [components]   (default 100000 components)
Exits 1 when the run fails or needs 300 MB or more.
"""
import os
import resource
import subprocess
import sys
import tempfile
import time

LIMIT_MB = 300


def write_board(path, components):
    with open(path, "wb") as out:
        out.write(b'"Pick Place for generated board"\r\n')
        out.write(b'"Designator","Footprint","Mid X","Mid Y","Ref X","Ref Y","Pad X","Pad Y",'
                  b'"Layer","Rotation","Comment"\r\n')
        for i in range(components):
            x, y = (i % 400) * 1.27, (i // 400) * 1.27
            out.write(('"R%d","R0603","%.2fmm","%.2fmm","%.2fmm","%.2fmm","%.2fmm","%.2fmm",'
                       '"TopLayer","%d","10k"\r\n'
                       % (i + 1, x, y, x, y, x - 0.8, y, (i % 4) * 90)).encode("ascii"))
        out.write(b"\r\n")


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    tav = sys.argv[1]
    components = int(sys.argv[2]) if len(sys.argv) > 2 else 100000
    with tempfile.TemporaryDirectory(prefix="tav-measure-") as folder:
        board = os.path.join(folder, "big.csv")
        program = os.path.join(folder, "out.nc")
        write_board(board, components)
        start = time.monotonic()
        run = subprocess.run([tav, "gcode", "--pnp", board, "-o", program,
                              "--decimal-separator", "."], capture_output=True)
        seconds = time.monotonic() - start
        peak_mb = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss / 1024
        if run.returncode != 0:
            sys.exit("tav failed (%d): %s" % (run.returncode, run.stderr.decode("utf-8", "replace")))
        print("%d components: %.2f s, peak %.1f MB, board %.1f MB, program %.1f MB"
              % (components, seconds, peak_mb, os.path.getsize(board) / 1e6,
                 os.path.getsize(program) / 1e6))
        if peak_mb >= LIMIT_MB:
            sys.exit("peak memory %.1f MB is over the %d MB limit" % (peak_mb, LIMIT_MB))


if __name__ == "__main__":
    main()
