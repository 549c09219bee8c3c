#!/usr/bin/env python3
"""Start-up of the game beside a bare Qt window: time from process start to
the first painted frame, and peak memory, in alternating runs.

usage: startup.py GAME_PROBE BARE_PROBE [RUNS]
Prints JSON: the medians of each and of the ratios taken pair by pair."""
import json
import os
import statistics
import subprocess
import sys
import time


def run(probe):
    start = time.clock_gettime(time.CLOCK_MONOTONIC)
    child = subprocess.Popen([probe], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    out = child.stdout.read()
    _, status, usage = os.wait4(child.pid, 0)
    if status != 0:
        sys.exit(f"{probe} failed with status {status}")
    first_frame = float(out.decode().split()[0])
    return (first_frame - start) * 1000.0, usage.ru_maxrss / 1024.0


def main():
    game, bare = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 20
    os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")
    for probe in (bare, game):  # warm the file cache first
        run(probe)
    pairs = []
    for _ in range(runs):
        bare_ms, bare_mb = run(bare)
        game_ms, game_mb = run(game)
        pairs.append((game_ms, bare_ms, game_mb, bare_mb))
    med = lambda values: statistics.median(values)
    print(json.dumps({
        "runs": runs,
        "game_ms": med(p[0] for p in pairs),
        "bare_ms": med(p[1] for p in pairs),
        "time_ratio": med(p[0] / p[1] for p in pairs),
        "game_mb": med(p[2] for p in pairs),
        "bare_mb": med(p[3] for p in pairs),
        "memory_ratio": med(p[2] / p[3] for p in pairs),
    }))


if __name__ == "__main__":
    main()
