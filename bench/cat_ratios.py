#!/usr/bin/env python3
"""Prints the times of hyperfine rounds as ratios to the first command (`cat` of the map).

    cat_ratios.py LABEL NAMES PEAK_KIB ROUND.json...

NAMES and PEAK_KIB are space-separated, one per command after `cat`. For each command: the median
wall time over every run with its interquartile range, the median processor time (user + system)
of the rounds, their ratios to `cat`, and the lowest and highest ratio of the paired rounds (how
noisy the machine was), then the peak resident memory.
"""
import json
import statistics
import sys


def quartiles(values):
    q = statistics.quantiles(values, n=4) if len(values) > 1 else values * 3
    return q[0], q[2]


def main():
    label, names, peaks, files = sys.argv[1], ["cat"] + sys.argv[2].split(), sys.argv[3].split(), sys.argv[4:]
    wall = {n: [] for n in names}  # every run's wall time
    cpu = {n: [] for n in names}  # each round's mean processor time
    round_wall = {n: [] for n in names}  # each round's mean wall time
    for f in files:
        for name, r in zip(names, json.load(open(f))["results"]):
            wall[name].extend(r["times"])
            cpu[name].append(r["user"] + r["system"])
            round_wall[name].append(r["mean"])
    cat_wall, cat_cpu = statistics.median(wall["cat"]), statistics.median(cpu["cat"])
    for n in names:
        w, c = statistics.median(wall[n]), statistics.median(cpu[n])
        lo, hi = quartiles(wall[n])
        paired = [a / b for a, b in zip(round_wall[n], round_wall["cat"])]
        print(f"{label:8} {n:7} wall {w * 1e3:7.1f} ms (IQR {lo * 1e3:.1f}-{hi * 1e3:.1f}, {len(wall[n])} runs)"
              f" ratio {w / cat_wall:.2f} [rounds {min(paired):.2f}-{max(paired):.2f}]"
              f" | cpu {c * 1e3:6.1f} ms ratio {c / cat_cpu:.2f}")
    for n, kib in zip(names[1:], peaks):
        print(f"{label:8} {n:7} peak RSS {int(kib) / 1024:.1f} MiB")


if __name__ == "__main__":
    main()
