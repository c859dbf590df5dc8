#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Side-by-side timing of an earlier commit's `tav` and the working tree's.

usage: bench/side_by_side.py [--base COMMIT] [--runs N] [--work-dir DIR] [--only NAME ...]

Builds `tav` and `tav_bench` (RelWithDebInfo, no GUI, no tests) twice into a
temporary folder: once from COMMIT (default 0e8eabf, unpacked with
`git archive`) and once from the working tree as it stands. Both then run on
the same generated inputs, in N paired runs (default 5; the order within a pair
alternates), and the script prints the medians of wall time and peak memory
(maximum resident set size of the child process), the ratios base/work, and
whether both wrote the same bytes. The in-process project load and save
times come from the `tav_bench` benchmarks of both builds.
"""
import argparse
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
sys.path.insert(0, HERE)
from measure_tav import write_board  # noqa: E402  (the board generator both tools share)

CMAKE_ARGS = ["-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DTAV_BUILD_GUI=OFF",
              "-DTAV_BUILD_TESTS=OFF", "-DTAV_BUILD_BENCH=ON"]


def build(source, build_dir):
    args = ["cmake", "-S", source, "-B", build_dir] + CMAKE_ARGS
    if shutil.which("ccache"):
        args.append("-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
    subprocess.run(args, check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", build_dir, "-j2", "--target", "tav", "tav_bench"],
                   check=True, stdout=subprocess.DEVNULL)
    return os.path.join(build_dir, "bin", "tav"), os.path.join(build_dir, "bin", "tav_bench")


def run_once(command, remove=None):
    """Wall seconds, CPU seconds and peak resident memory (MB) of one run."""
    if remove and os.path.exists(remove):
        os.remove(remove)
    start = time.monotonic()
    child = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    _, status, usage = os.wait4(child.pid, 0)
    wall = time.monotonic() - start
    error = child.stderr.read().decode("utf-8", "replace")
    child.stderr.close()
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit("failed: %s\n%s" % (" ".join(command), error))
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss / 1024


def same_bytes(a, b):
    return subprocess.run(["cmp", "-s", a, b]).returncode == 0


def bench_medians(tav_bench, runs):
    """Median milliseconds of the project benchmarks at 100,000 components."""
    out = subprocess.run(
        [tav_bench, "--benchmark_filter=BM_(LoadProject|SaveProjectNew)/100000$",
         "--benchmark_repetitions=%d" % runs, "--benchmark_report_aggregates_only=true",
         "--benchmark_format=json"], check=True, capture_output=True).stdout
    result = {}
    for entry in json.loads(out)["benchmarks"]:
        if entry.get("aggregate_name") == "median":
            result[entry["run_name"]] = entry["real_time"]
    return result


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--base", default="0e8eabf")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--work-dir", help="keep builds and inputs here instead of a temporary folder")
    parser.add_argument("--only", nargs="*", help="run only the cases with these names")
    options = parser.parse_args()

    folder = options.work_dir or tempfile.mkdtemp(prefix="tav-side-by-side-")
    os.makedirs(folder, exist_ok=True)
    try:
        base_source = os.path.join(folder, "base-src")
        if not os.path.isdir(base_source):
            os.makedirs(base_source)
            archive = subprocess.run(["git", "-C", ROOT, "archive", options.base],
                                     check=True, capture_output=True).stdout
            subprocess.run(["tar", "-x", "-C", base_source], input=archive, check=True)
        print("building %s and the working tree ..." % options.base, flush=True)
        base_tav, base_bench = build(base_source, os.path.join(folder, "base-build"))
        work_tav, work_bench = build(ROOT, os.path.join(folder, "work-build"))

        inputs = {}
        for components in (10000, 100000, 1000000):
            path = os.path.join(folder, "board-%d.csv" % components)
            if not os.path.exists(path):
                write_board(path, components)
            inputs[components] = path
        project = os.path.join(folder, "project-100000.tav")
        if not os.path.exists(project):
            run_once([base_tav, "import", inputs[100000], "-o", project], remove=project)

        dot = ["--decimal-separator", "."]
        # name, arguments after `tav`, output file (removed before each run)
        cases = [
            ("gcode --pnp 10,000", ["gcode", "--pnp", inputs[10000], "-o", "{out}.nc"] + dot, ".nc"),
            ("gcode --pnp 100,000", ["gcode", "--pnp", inputs[100000], "-o", "{out}.nc"] + dot, ".nc"),
            ("import 1,000,000", ["import", inputs[1000000], "-o", "{out}.tav"] + dot, ".tav"),
            ("gcode --project 100,000", ["gcode", "--project", project, "-o", "{out}.nc"] + dot, ".nc"),
            ("import 100,000 (save)", ["import", inputs[100000], "-o", "{out}.tav"] + dot, ".tav"),
        ]
        print("\n%d paired runs, medians; ratio = base / work" % options.runs)
        print("%-26s %9s %9s %6s   %9s %9s %6s  %s" % ("case", "base s", "work s", "x",
                                                       "base MB", "work MB", "x", "output"))
        for name, arguments, suffix in cases:
            if options.only and name not in options.only:
                continue
            samples = {"base": [], "work": []}
            outputs = {}
            for run in range(options.runs):
                order = [("base", base_tav), ("work", work_tav)]
                if run % 2:
                    order.reverse()
                for label, tav in order:
                    out = os.path.join(folder, "out-" + label)
                    outputs[label] = out + suffix
                    command = [tav] + [a.replace("{out}", out) for a in arguments]
                    samples[label].append(run_once(command, remove=out + suffix))
            med = {label: [statistics.median(s[i] for s in samples[label]) for i in range(3)]
                   for label in samples}
            print("%-26s %9.3f %9.3f %6.2f   %9.1f %9.1f %6.2f  %s" % (
                name, med["base"][0], med["work"][0], med["base"][0] / med["work"][0],
                med["base"][2], med["work"][2], med["base"][2] / med["work"][2],
                "same bytes" if same_bytes(outputs["base"], outputs["work"]) else "DIFFERENT"),
                flush=True)
            print("%-26s cpu s: base %.3f, work %.3f" % ("", med["base"][1], med["work"][1]))

        if not options.only:
            print("\nin-process project benchmarks, 100,000 components (median ms of %d)"
                  % options.runs)
            base = bench_medians(base_bench, options.runs)
            work = bench_medians(work_bench, options.runs)
            for key in sorted(base):
                print("%-30s base %8.1f  work %8.1f  x %5.2f"
                      % (key, base[key], work.get(key, float("nan")),
                         base[key] / work.get(key, float("nan"))))
    finally:
        if not options.work_dir:
            shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
