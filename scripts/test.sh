#!/usr/bin/env bash
# The one test command: installs what is missing, builds with warnings as errors, checks the
# layering and formatting rules, and runs every test label.
set -euo pipefail
cd "$(dirname "$0")/.."

# Which Windows build the wine label runs: the 32-bit program where this machine starts 32-bit
# programs, else the 64-bit one under 64-bit Wine (scripts/wine-build.sh).
mapfile -t wine_choice < <(scripts/wine-build.sh)
wine_build=${wine_choice[0]}
case "$wine_build" in
  win32) wine_said="the 32-bit ostrel.exe under 32-bit Wine" ;;
  win64) wine_said="the 64-bit ostrel.exe under 64-bit Wine" ;;
esac
wine_line="Windows tests: $wine_said, because ${wine_choice[1]}."
echo "$wine_line"

scripts/install-deps.sh
scripts/install-wine.sh "$wine_build"
scripts/check-sources.sh

# Both Windows programs build with warnings as errors on every machine: the 32-bit one ships, the
# 64-bit one keeps the Windows layer right at either pointer size. The wine label runs the one
# chosen above.
win32_exe=$(OSTREL_WINDOWS_ARCH=win32 scripts/build-windows.sh "$PWD/build-win32")
win64_exe=$(OSTREL_WINDOWS_ARCH=win64 scripts/build-windows.sh "$PWD/build-win64")
windows_exe=$win32_exe
[ "$wine_build" = win32 ] || windows_exe=$win64_exe
cmake -S . -B build -G Ninja -DOSTREL_WERROR=ON -DOSTREL_WINDOWS_EXE="$windows_exe" \
  -DOSTREL_WINE_BUILD="$wine_build" -DOSTREL_RELEASE_EXE="$win32_exe"
cmake --build build
ctest --test-dir build --output-on-failure -j "$(nproc)"
echo "$wine_line"

# A second build with clang under the address, undefined-behaviour and leak sanitizers: the unit
# and render tests again, then every fuzz target for a bounded time.
scripts/fuzz-and-sanitize.sh
