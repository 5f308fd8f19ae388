#!/usr/bin/env bash
# Runs the compressor benchmark and prints the stored-item block compressor's times on 4 MB of
# raw 24-bit picture rows as ratios to zlib level 1 and LZ4, with every compression ratio. Times
# are CPU times, which other work on the machine disturbs less than wall-clock times.
# OSTREL_BENCH_DIR chooses the build folder (default build-bench).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${OSTREL_BENCH_DIR:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DOSTREL_TESTS=OFF >/dev/null
cmake --build "$build" --target compressor_bench >/dev/null
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$build"/bench/compressor_bench --benchmark_format=json --benchmark_out="$out" \
  --benchmark_out_format=json --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true >/dev/null
python3 - "$out" <<'PY'
import json, sys
runs = {b["name"][:-len("_median")]: b for b in json.load(open(sys.argv[1]))["benchmarks"]
        if b.get("aggregate_name") == "median"}
size = runs["BM_OurCompress"]["input_bytes"]
print(f"input: {size / 2**20:.2f} MiB of 24-bit rows")
print(f"{'':22}{'time (ms)':>10}{'MB/s':>9}{'packed (bytes)':>16}{'ratio':>8}")
for name in ["Our", "Zlib", "Lz4"]:
    for step in ["Compress", "Decompress"]:
        b = runs[f"BM_{name}{step}"]
        ms = b["cpu_time"]
        print(f"{name + ' ' + step.lower():22}{ms:10.2f}{size / 1e6 / (ms / 1e3):9.0f}"
              f"{b['compressed_bytes']:16.0f}{size / b['compressed_bytes']:8.2f}")
for other in ["Zlib", "Lz4"]:
    for step in ["Compress", "Decompress"]:
        ours = runs[f"BM_Our{step}"]["cpu_time"]
        theirs = runs[f"BM_{other}{step}"]["cpu_time"]
        print(f"our {step.lower()} / {other.lower()}: {ours / theirs:.2f}")
PY
