#!/usr/bin/python3
"""Speed of the Python module next to the C++ library's benchmarks: verify() and domain() on
the reference sections, and verify_many() on 100 000 combinations of actions on the
rectangle, on one thread and on every core, against a Python loop of verify().

    PYTHONPATH=build/default/python /usr/bin/python3 bench/python_bench.py \\
        [--cpp build/default/bench/quilex_bench] [--rows 100000]

Each figure is the time per call, wall clock and CPU time of the process (all its threads);
on a shared machine the CPU time is the steadier. With --cpp the C++ benchmarks of the same
sections run first in the same process tree, for a side-by-side reading.
"""
import argparse
import json
import subprocess
import time

import numpy as np

import quilex

MATERIALS = quilex.materials("IT", "B450C", "C25/30")
STIRRUPS = quilex.Stirrups(Asw=50.27, nb=2, st=150)
RECTANGLE = quilex.Rectangle(B=300, H=500, c=40, As_top=628.32, As_bottom=942.48,
                             stirrups=STIRRUPS)
TEE = quilex.TSection(BiNf=300, HiNf=450, BsUp=800, HsUp=150, c=50, As_top=603, As_bottom=1257,
                      stirrups=STIRRUPS)
CIRCLE = quilex.Circle(D=400, c=40, nF=8, Df=16, stirrups=STIRRUPS)
BARS = quilex.RectangleWithBars(
    B=300, H=500,
    bars=[(-110, -210, 314.16), (110, -210, 314.16), (-110, 210, 314.16), (110, 210, 314.16)],
    stirrups=quilex.BiaxialStirrups(Asw=50.27, nbx=2, nby=2, st=200))


def measure(call, min_seconds=1.0):
    """(wall, cpu) seconds per call, over as many calls as fill min_seconds of wall time."""
    calls = 0
    wall0, cpu0 = time.perf_counter(), time.process_time()
    while True:
        call()
        calls += 1
        wall = time.perf_counter() - wall0
        if wall >= min_seconds:
            return wall / calls, (time.process_time() - cpu0) / calls


def cpp_figures(binary):
    """Google Benchmark's real and CPU time per iteration, in seconds, by benchmark name."""
    output = subprocess.run(
        [binary, "--benchmark_filter=Verification|RectangleDomain", "--benchmark_format=json"],
        check=True, capture_output=True, text=True).stdout
    scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}
    return {b["name"]: (b["real_time"] * scale[b["time_unit"]],
                        b["cpu_time"] * scale[b["time_unit"]])
            for b in json.loads(output)["benchmarks"]}


def show(name, figures, cpp=None):
    wall, cpu = figures
    line = f"{name:<34} {wall * 1e6:12.1f} us {cpu * 1e6:12.1f} us"
    if cpp:
        line += f"   C++ {cpp[0] * 1e6:10.1f} us {cpp[1] * 1e6:10.1f} us"
    print(line)


def combinations(rows):
    """Combinations spread over the rectangle's domain and beyond it, from a fixed seed."""
    rng = np.random.default_rng(1)
    return np.column_stack([rng.uniform(-2.9e6, 0.7e6, rows), rng.uniform(-300e6, 300e6, rows),
                            rng.uniform(0, 150e3, rows)])


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cpp", help="the C++ benchmark program (bench/quilex_bench)")
    parser.add_argument("--rows", type=int, default=100_000)
    args = parser.parse_args()
    cpp = cpp_figures(args.cpp) if args.cpp else {}

    print(f"{'':<34} {'wall':>15} {'CPU':>15}")
    cases = [
        ("Verification/R", lambda: quilex.verify(RECTANGLE, MATERIALS, Ned=-500e3, Med=150e6,
                                                 Ved=100e3)),
        ("Verification/T", lambda: quilex.verify(TEE, MATERIALS, Ned=0, Med=200e6, Ved=150e3)),
        ("Verification/C", lambda: quilex.verify(CIRCLE, MATERIALS, Ned=-500e3, Med=80e6,
                                                 Ved=50e3)),
        ("Verification/D", lambda: quilex.verify(BARS, MATERIALS, Ned=-500e3, Mx=100e6, My=50e6,
                                                 Vx=30e3, Vy=40e3)),
        ("RectangleDomain", lambda: quilex.domain(RECTANGLE, MATERIALS)),
    ]
    for name, call in cases:
        show(name, measure(call), cpp.get(name))

    table = combinations(args.rows)
    print(f"\n{args.rows} combinations on the rectangle, per whole table:")
    for label, threads in (("verify_many, 1 thread", 1), ("verify_many, every core", None)):
        wall0, cpu0 = time.perf_counter(), time.process_time()
        quilex.verify_many(RECTANGLE, MATERIALS, table, threads=threads)
        print(f"{label:<34} {time.perf_counter() - wall0:12.3f} s  "
              f"{time.process_time() - cpu0:12.3f} s")
    wall0, cpu0 = time.perf_counter(), time.process_time()
    for Ned, Med, Ved in table.tolist():
        quilex.verify(RECTANGLE, MATERIALS, Ned=Ned, Med=Med, Ved=Ved)
    print(f"{'loop of verify()':<34} {time.perf_counter() - wall0:12.3f} s  "
          f"{time.process_time() - cpu0:12.3f} s")


if __name__ == "__main__":
    main()
