#!/usr/bin/env bash
# Builds the project with clang under AddressSanitizer and UndefinedBehaviorSanitizer, runs the
# unit and render tests in that build, then runs every fuzz target for a bounded time. Fails on
# any test failure, crash, leak or sanitizer report.
#
# BUILD_DIR (default build-sanitize), FUZZ_SECONDS per target (default 30), FUZZ_JOBS targets at
# a time (default 2), FUZZ_TARGETS to run only some (names separated by spaces), FUZZ_ONLY=1 to
# skip the tests.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${BUILD_DIR:-build-sanitize}
fuzz_seconds=${FUZZ_SECONDS:-30}
fuzz_jobs=${FUZZ_JOBS:-2}

EXTRA_PACKAGES="clang libclang-rt-14-dev llvm ${EXTRA_PACKAGES:-}" scripts/install-deps.sh

# Every report ends its process with an error, leaks included; stacks are symbolized.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:halt_on_error=1:strict_string_checks=1:\
detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ASAN_SYMBOLIZER_PATH=$(command -v llvm-symbolizer || command -v llvm-symbolizer-14 || true)
export ASAN_SYMBOLIZER_PATH

# Each target with the longest input worth trying and the memory it may use: the picture
# readers may hold a picture at the framework's size limit and a copy of it.
targets=(
  "ProfileTextFuzzer 4096 1024"
  "IniFileFuzzer 4096 1024"
  "IntegerTextFuzzer 64 512"
  "DecimalTextFuzzer 64 512"
  "ColorTextFuzzer 64 512"
  "FontTextFuzzer 256 512"
  "RegistryReferenceFuzzer 1024 1024"
  "RegistryHiveFuzzer 8192 1024"
  "BitmapFileFuzzer 16384 2048"
  "IconFuzzer 16384 2048"
  "PngPictureFuzzer 16384 2048"
  "JpegPictureFuzzer 16384 2048"
  "StoredItemFuzzer 16384 2048"
  "BlockDecompressFuzzer 40000 1024"
  "BlockRoundTripFuzzer 70000 1024"
  "MenuInfoFuzzer 8192 1024"
)

# Corpora grow in a copy, so that the repository is never written to.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

run_target() {
  local name=$1 max_len=$2 rss_mb=$3
  local dir="$work/$name"
  mkdir -p "$dir/corpus" "$dir/tmp"
  cp fuzz/corpus/"$name"/* "$dir/corpus/"
  local start=$SECONDS status=0
  TMPDIR="$dir/tmp" nice "$build_dir/fuzz/$name" -max_total_time="$fuzz_seconds" \
    -max_len="$max_len" -rss_limit_mb="$rss_mb" -timeout=20 -print_final_stats=1 \
    -artifact_prefix="$dir/" "$dir/corpus" >"$dir/log" 2>&1 || status=$?
  echo "$status $((SECONDS - start))" >"$dir/result"
}

selected=()
names=()
for entry in "${targets[@]}"; do
  read -r name _ <<<"$entry"
  if [ -z "${FUZZ_TARGETS:-}" ] || [[ " $FUZZ_TARGETS " == *" $name "* ]]; then
    selected+=("$entry")
    names+=("$name")
  fi
done

# Light optimisation and line tables only: the build is a third of the script's time, and a
# report needs files and lines, not variables.
CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DOSTREL_WERROR=ON \
  -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS="-O1 -gline-tables-only" \
  -DOSTREL_SANITIZE=ON -DOSTREL_FUZZ=ON -DOSTREL_BENCH=OFF
if [ "${FUZZ_ONLY:-0}" = 1 ]; then
  cmake --build "$build_dir" --target "${names[@]}"
else
  cmake --build "$build_dir"
  ctest --test-dir "$build_dir" -L 'unit|render' --output-on-failure -j "$(nproc)"
fi

running=0
for entry in "${selected[@]}"; do
  # shellcheck disable=SC2086
  run_target $entry &
  running=$((running + 1))
  if ((running >= fuzz_jobs)); then
    wait -n
    running=$((running - 1))
  fi
done
wait

failed=0
printf '%-24s %12s %8s %8s  %s\n' target executions seconds corpus result
for entry in "${selected[@]}"; do
  read -r name _ <<<"$entry"
  dir="$work/$name"
  read -r status seconds <"$dir/result"
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/log" | tail -n 1)
  corpus=$(find "$dir/corpus" -type f | wc -l)
  result=ok
  if [ "$status" -ne 0 ] || grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:' \
    "$dir/log"; then
    result=FAILED
    failed=1
  fi
  printf '%-24s %12s %8s %8s  %s\n' "$name" "${executions:-?}" "$seconds" "$corpus" "$result"
done

if ((failed)); then
  mkdir -p "$build_dir/fuzz-artifacts"
  for entry in "${selected[@]}"; do
    read -r name _ <<<"$entry"
    dir="$work/$name"
    read -r status _ <"$dir/result"
    if [ "$status" -ne 0 ]; then
      echo "=== $name (exit $status)"
      tail -n 60 "$dir/log"
      find "$dir" -maxdepth 1 -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' \
        -o -name 'oom-*' -o -name 'slow-unit-*' \) -exec cp {} "$build_dir/fuzz-artifacts/" \; \
        -printf "input kept as $build_dir/fuzz-artifacts/%f\n"
    fi
  done
  exit 1
fi
