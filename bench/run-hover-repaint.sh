#!/usr/bin/env bash
# Runs the hover benchmark and prints one hover repaint of a menu button as a ratio to painting
# the whole 640 x 480 menu face, both measured in the same run.
# OSTREL_BENCH_DIR chooses the build folder (default build-bench).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${OSTREL_BENCH_DIR:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DOSTREL_TESTS=OFF >/dev/null
cmake --build "$build" --target hover_repaint_bench >/dev/null
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$build"/bench/hover_repaint_bench --benchmark_format=json --benchmark_out="$out" \
  --benchmark_out_format=json --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true >/dev/null
python3 - "$out" <<'PY'
import json, sys
runs = {b["name"]: b["cpu_time"] for b in json.load(open(sys.argv[1]))["benchmarks"]
        if b.get("aggregate_name") == "median"}
full = runs["BM_FullFacePaint_median"]
hover = runs["BM_HoverRepaint_median"] / 2
print(f"full 640x480 face paint (us)  {full:10.1f}")
print(f"one hover repaint (us)        {hover:10.1f}")
print(f"hover / full: {hover / full:.3f}")
PY
