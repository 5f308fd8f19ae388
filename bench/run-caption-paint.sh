#!/usr/bin/env bash
# Runs the face-painting benchmark and prints painting a 640 x 480 face with eight relief
# captions as a ratio to copying the background alone, both measured in the same run.
# OSTREL_BENCH_DIR chooses the build folder (default build-bench).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${OSTREL_BENCH_DIR:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DOSTREL_TESTS=OFF >/dev/null
cmake --build "$build" --target caption_paint_bench >/dev/null
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$build"/bench/caption_paint_bench --benchmark_format=json --benchmark_out="$out" \
  --benchmark_out_format=json --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true >/dev/null
python3 - "$out" <<'PY'
import json, sys
runs = {b["name"]: b["real_time"] for b in json.load(open(sys.argv[1]))["benchmarks"]
        if b.get("aggregate_name") == "median"}
copy = runs["BM_CopyBackground_median"]
paint = runs["BM_PaintFaceWithEightCaptions_median"]
print(f"copy 640x480 background (us)        {copy:10.0f}")
print(f"background + 8 relief captions (us) {paint:10.0f}")
print(f"paint / copy: {paint / copy:.2f}")
PY
