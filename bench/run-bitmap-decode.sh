#!/usr/bin/env bash
# Runs the bitmap-decoding benchmark and prints decoding a 1920 x 1080 24-bit file from memory
# as a ratio to copying the same number of bytes, both measured in the same run.
# OSTREL_BENCH_DIR chooses the build folder (default build-bench).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${OSTREL_BENCH_DIR:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DOSTREL_TESTS=OFF >/dev/null
cmake --build "$build" --target bitmap_decode_bench >/dev/null
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$build"/bench/bitmap_decode_bench --benchmark_format=json --benchmark_out="$out" \
  --benchmark_out_format=json --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true >/dev/null
python3 - "$out" <<'PY'
import json, sys
runs = {b["name"]: b["real_time"] for b in json.load(open(sys.argv[1]))["benchmarks"]
        if b.get("aggregate_name") == "median"}
decode = runs["BM_DecodeBitmap24_median"]
copy = runs["BM_CopyFileBytes_median"]
print(f"decode 1920x1080x24 (us)  {decode:10.0f}")
print(f"memcpy same bytes (us)    {copy:10.0f}")
print(f"decode / memcpy: {decode / copy:.2f}")
PY
