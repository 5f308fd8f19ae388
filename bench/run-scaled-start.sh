#!/usr/bin/env bash
# Runs the scaled start-up benchmark and prints the first frame of a scaled menu as ratios to
# unscaled ones measured in the same run: scale 2 of a 640 x 480 menu against that menu and
# against an unscaled 1280 x 960 one; a 1920 x 1080 menu fitted to a 1280 x 1024 screen against
# that menu unscaled and against an unscaled 1280 x 720 one.
# OSTREL_BENCH_DIR chooses the build folder (default build-bench).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${OSTREL_BENCH_DIR:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DOSTREL_TESTS=OFF >/dev/null
cmake --build "$build" --target scaled_start_bench >/dev/null
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$build"/bench/scaled_start_bench --benchmark_format=json --benchmark_out="$out" \
  --benchmark_out_format=json --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true >/dev/null
python3 - "$out" <<'PY'
import json, sys
runs = {b["name"][3:-7]: b["real_time"] for b in json.load(open(sys.argv[1]))["benchmarks"]
        if b.get("aggregate_name") == "median"}
for name, time in runs.items():
    print(f"{name:22} {time:8.2f} ms")
print(f"scale 2 / unscaled 640x480:        {runs['Scale2Of640'] / runs['Unscaled640']:.2f}")
print(f"scale 2 / unscaled 1280x960:       {runs['Scale2Of640'] / runs['Unscaled1280x960']:.2f}")
print(f"fit of 1920 / unscaled 1920x1080:  {runs['FitOf1920'] / runs['Unscaled1920']:.2f}")
print(f"fit of 1920 / unscaled 1280x720:   {runs['FitOf1920'] / runs['Unscaled1280x720']:.2f}")
PY
