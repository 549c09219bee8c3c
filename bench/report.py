#!/usr/bin/env python3
"""Runs every benchmark of a Release build and prints one table.

usage: report.py BUILD_DIR"""
import json
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
UNITS = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}


def medians(binary, env=None):
    """Median real time in microseconds of each benchmark of one program."""
    out = subprocess.run(
        [binary, "--benchmark_repetitions=5", "--benchmark_report_aggregates_only=true",
         "--benchmark_format=json"],
        check=True, capture_output=True, text=True, env={**os.environ, **(env or {})}).stdout
    result = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("aggregate_name") == "median":
            result[b["run_name"]] = b["real_time"] * UNITS[b["time_unit"]]
    return result


def micro(value):
    return f"{value:.3f} µs" if value < 10 else f"{value:.1f} µs"


def main():
    build = sys.argv[1]
    rows = []
    game = medians(os.path.join(build, "bench/game/bench_game"))
    for name, value in game.items():
        rows.append((f"core: {name}", micro(value), ""))
    ui = medians(os.path.join(build, "bench/ui/bench_ui"), {"QT_QPA_PLATFORM": "offscreen"})
    for name, value in ui.items():
        button = name.startswith("click")
        rows.append((f"window: {name}", micro(value), "target ≤ 200 µs" if button else ""))
    for driver in ("dummy", "none"):
        sound = medians(os.path.join(build, "bench/sound/bench_sound"), {"SDL_AUDIODRIVER": driver})
        for name, value in sound.items():
            rows.append((f"sound ({driver} driver): {name}", micro(value), "target ≤ 50 µs"))
    startup = json.loads(subprocess.run(
        [sys.executable, os.path.join(HERE, "startup/startup.py"),
         os.path.join(build, "bench/startup/startup_probe_game"),
         os.path.join(build, "bench/startup/startup_probe_bare"), "20"],
        check=True, capture_output=True, text=True).stdout)
    rows.append(("start-up to first frame: game / bare Qt window",
                 f"{startup['game_ms']:.1f} / {startup['bare_ms']:.1f} ms",
                 f"{startup['time_ratio']:.2f} ×; target ≤ 1.6 ×"))
    rows.append(("peak memory: game / bare Qt window",
                 f"{startup['game_mb']:.1f} / {startup['bare_mb']:.1f} MB",
                 f"{startup['memory_ratio']:.2f} ×; target ≤ 1.3 ×"))

    print("| Measure | Median | Against |")
    print("|---|---|---|")
    for row in rows:
        print("| " + " | ".join(row) + " |")


if __name__ == "__main__":
    main()
