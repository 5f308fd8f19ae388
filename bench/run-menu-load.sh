#!/usr/bin/env bash
# Runs the menu-loading benchmark and prints its figures as ratios measured in the same run:
# the growth of the cost per entry, and our reader against re-parsing the file for every value.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DOSTREL_TESTS=OFF >/dev/null
cmake --build build-bench --target menu_load_bench >/dev/null
out=$(mktemp)
trap 'rm -f "$out"' EXIT
build-bench/bench/menu_load_bench --benchmark_format=json --benchmark_out="$out" \
  --benchmark_out_format=json >/dev/null
python3 - "$out" <<'PY'
import json, sys
runs = {b["name"].split("/iterations")[0]: b["real_time"] for b in json.load(open(sys.argv[1]))["benchmarks"]}
load = {int(k.split("/")[1]): v for k, v in runs.items() if k.startswith("BM_LoadMenu/")}
reread = {int(k.split("/")[1]): v for k, v in runs.items() if k.startswith("BM_RereadEveryValue/")}
print("entries  load (us)  per entry (us)  re-parse per value (us)  re-parse / load")
for n in sorted(load):
    line = f"{n:7d}  {load[n]:9.0f}  {load[n] / n:14.2f}"
    if n in reread:
        line += f"  {reread[n]:23.0f}  {reread[n] / load[n]:15.1f}x"
    print(line)
print(f"cost of 10000 entries / cost of 1000 entries: {load[10000] / load[1000]:.2f} (flat is 10)")
PY
