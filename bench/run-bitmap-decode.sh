#!/usr/bin/env bash
# Runs the picture-decoding benchmark and prints, from one run: decoding a 1920 x 1080 24-bit
# bitmap file from memory as a ratio to copying the same number of bytes, and decoding a PNG and
# a JPEG of that size into a bitmap as ratios to libpng's and libjpeg's plain decoding loops.
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
for name, ours, plain in (("PNG", "BM_DecodePng", "BM_PlainLibPng"),
                          ("JPEG", "BM_DecodeJpeg", "BM_PlainLibJpeg")):
    ours, plain = runs[ours + "_median"], runs[plain + "_median"]
    print(f"decode 1920x1080 {name:4} (us)  {ours:10.0f}")
    print(f"plain library loop (us)   {plain:10.0f}")
    print(f"{name} decode / plain loop: {ours / plain:.3f}")
PY
