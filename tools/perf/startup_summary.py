#!/usr/bin/env python3
"""Summarises scripts/startup-bench's runs: medians per program, ratios to the bare window with
their 95 % interval, and the start-up targets.

    startup_summary.py RESULTS NAME...

RESULTS holds one line a run: "ROUND NAME map_ms=... cpu_ms=... drawn_ms=... pss_kb=...".
"""
import random
import re
import statistics
import sys

PEERS = ("speedcrunch", "galculator", "qalculate-gtk", "kcalc", "gnome-calculator")

path, names = sys.argv[1], sys.argv[2:]
runs = {}
with open(path, encoding="utf-8") as results:
    for line in results:
        number, name, fields = line.split(" ", 2)
        runs.setdefault(int(number), {})[name] = {
            key: float(value) for key, value in re.findall(r"(\w+)=([-\d.]+)", fields)}
# Only whole rounds count, so that each ratio compares runs made side by side.
rounds = [r for r in runs.values() if len(r) == len(names)]


def median(name, field, draw=None):
    values = [r[name][field] for r in (draw or rounds) if r[name][field] >= 0]
    return statistics.median(values) if values else float("nan")


def interval(name, field):
    """The 95 % interval of name/bare when the rounds are drawn again at random (fixed seed).
    Rounds stay whole, so that a slow spell of the machine weighs on both programs alike."""
    random.seed(1)
    ratios = sorted(median(name, field, draw) / median("bare", field, draw)
                    for draw in (random.choices(rounds, k=len(rounds)) for _ in range(2000)))
    return ratios[50], ratios[1949]


print(f"\nmedians of {len(rounds)} rounds. map: fork to the mapped window; cpu: main-thread CPU by"
      " then;\ndrawn: fork to the first drawing into the window; PSS after 1.5 s idle")
print(f"{'':18} {'map ms':>8} {'cpu ms':>8} {'drawn ms':>9} {'PSS MiB':>8}")
for name in names:
    print(f"{name:18} {median(name, 'map_ms'):8.1f} {median(name, 'cpu_ms'):8.1f}"
          f" {median(name, 'drawn_ms'):9.1f} {median(name, 'pss_kb') / 1024:8.1f}")
print()
for name in names:
    if name not in ("bare", "label") + PEERS:
        low, high = interval(name, "drawn_ms")
        ratio = median(name, "drawn_ms") / median("bare", "drawn_ms")
        print(f"{name} / bare, to the first drawing: {ratio:.2f} (95 % {low:.2f} to {high:.2f})")

drawn = median("tirelix", "drawn_ms")
print("target, first drawing at most 1.4 x the bare window's:",
      "met" if drawn <= 1.4 * median("bare", "drawn_ms") else "MISSED")
peers = [name for name in names if name in PEERS]
if peers:
    fastest = min(peers, key=lambda name: median(name, "drawn_ms"))
    print(f"target, first drawing at most half the fastest calculator's ({fastest}):",
          "met" if drawn <= median(fastest, "drawn_ms") / 2 else "MISSED")
    leanest = min(peers, key=lambda name: median(name, "pss_kb"))
    print(f"target, idle PSS below every calculator's ({leanest} the leanest):",
          "met" if median("tirelix", "pss_kb") < median(leanest, "pss_kb") else "MISSED")
